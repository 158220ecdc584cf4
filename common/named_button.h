#pragma once
// A push button as the program's windows make them: its object name for the
// tests, its caption without the "&" as the name a screen reader says, and
// Enter pressing it while it has the focus.
#include <QPushButton>
#include <QString>

namespace qd {

inline QPushButton* add_named_button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove('&'));
    button->setAutoDefault(true);
    return button;
}

}  // namespace qd
