#include "platform/qt/window_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QMainWindow>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace qd {
namespace {

class TopWindowAccessible final : public QAccessibleWidget {
public:
    explicit TopWindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) return widget()->windowTitle();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* top_window_factory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // Only the plain widgets of the program: Qt's own classes (dialogs, main
    // windows, menus, tool tips) describe themselves.
    if (!widget->isWindow() || widget->windowType() != Qt::Window) return nullptr;
    if (qobject_cast<QDialog*>(widget) || qobject_cast<QMainWindow*>(widget)) return nullptr;
    const char* class_name = widget->metaObject()->className();
    if (class_name[0] == 'Q' && std::strcmp(class_name, "QWidget") != 0) return nullptr;
    return new TopWindowAccessible(widget);
}

}  // namespace

void offer_pages_to_screen_readers() { ::setenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1", 0); }

void install_window_accessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(top_window_factory);
}

}  // namespace qd
