#include "platform/qt/accessible_button.h"

namespace qd {

QPushButton* make_button(QWidget* parent, const char* name, const QString& caption, EnterKey enter) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove('&').trimmed());
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(enter == EnterKey::presses_button);
    return button;
}

QPushButton* make_button(QWidget* parent, const char* name, const QString& caption, std::function<void()> on_click, EnterKey enter) {
    QPushButton* button = make_button(parent, name, caption, enter);
    QObject::connect(button, &QPushButton::clicked, button, [on_click = std::move(on_click)] { on_click(); });
    return button;
}

void set_tab_order(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace qd
