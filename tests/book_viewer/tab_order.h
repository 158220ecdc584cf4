#pragma once
// The control that Tab moves to from `widget` within its window.
#include <QWidget>

namespace qd::testing {

inline QWidget* next_tab_stop(QWidget* widget) {
    QWidget* window = widget->window();
    auto is_stop = [&](QWidget* w) {
        // Qt's own inner parts (a spin box's line editor) belong to their control.
        bool inner = w->objectName().startsWith("qt_");
        return (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled() && !inner;
    };
    do widget = widget->nextInFocusChain();
    while (!is_stop(widget) && widget != window);
    return widget;
}

}  // namespace qd::testing
