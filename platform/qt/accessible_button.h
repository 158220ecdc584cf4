#pragma once
// Buttons as every window makes them, so that each is usable from the
// keyboard and by a screen reader: its control name, its caption, the caption
// without its '&' as the name a screen reader says, Tab focus; and a window's
// Tab order set in one list, in the order of its layout.
#include <QPushButton>
#include <functional>
#include <initializer_list>

namespace qd {

// What Enter does while the button has the focus.
enum class EnterKey {
    presses_default,  // presses the window's default button (a dialog's Close, say)
    presses_button,   // presses this button
};

QPushButton* make_button(QWidget* parent, const char* name, const QString& caption, EnterKey enter = EnterKey::presses_default);
// The same, pressing it runs `on_click`.
QPushButton* make_button(QWidget* parent, const char* name, const QString& caption, std::function<void()> on_click,
                         EnterKey enter = EnterKey::presses_default);

// Tab moves through `controls` in this order.
void set_tab_order(std::initializer_list<QWidget*> controls);

}  // namespace qd
