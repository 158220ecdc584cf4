#pragma once
// What a screen reader learns of a window through Qt's accessibility: the
// window is a frame or dialog named by its title, and every control a
// student acts on has a role and a name that says what it does (not a bare
// arrow, not the value it holds).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <string>

namespace qd::testing {

inline bool says_something(const QString& name) {
    for (const QChar c : name)
        if (c.isLetter()) return true;
    return false;
}

inline void expect_window_described(QWidget& window) {
    SCOPED_TRACE(window.objectName().toStdString() + " \"" + window.windowTitle().toStdString() + "\"");
    QAccessibleInterface* described = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(described, nullptr);
    EXPECT_TRUE(described->role() == QAccessible::Window || described->role() == QAccessible::Dialog) << described->role();
    EXPECT_FALSE(window.windowTitle().isEmpty());
    EXPECT_EQ(described->text(QAccessible::Name), window.windowTitle());
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->window() != &window || control->objectName().startsWith("qt_")) continue;  // Qt's own parts
        const bool actionable = qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
                                qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractSpinBox*>(control) ||
                                qobject_cast<QAbstractItemView*>(control);
        if (!actionable || qobject_cast<QLineEdit*>(control->parentWidget()) || qobject_cast<QComboBox*>(control->parentWidget()) ||
            qobject_cast<QAbstractSpinBox*>(control->parentWidget()) || qobject_cast<QAbstractItemView*>(control->parentWidget()))
            continue;  // the parts of a combo box, spin box or table (its headers) are named by it
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        const QString name = accessible->text(QAccessible::Name);
        SCOPED_TRACE(control->metaObject()->className() + std::string(" ") + control->objectName().toStdString() + " named \"" +
                     name.toStdString() + "\"");
        EXPECT_TRUE(says_something(name));
        if (auto* combo = qobject_cast<QComboBox*>(control); combo && !combo->currentText().isEmpty()) {
            EXPECT_NE(name, combo->currentText());
        }
        EXPECT_NE(control->focusPolicy() & Qt::TabFocus, 0);
    }
}

}  // namespace qd::testing
