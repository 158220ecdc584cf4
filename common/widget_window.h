#pragma once
// A Qt top-level widget as a window of the registry. The widget is deleted
// later, from the event loop, so a window may be unloaded from inside one of
// its own event handlers.
#include <QPointer>
#include <QWidget>

#include "common/window_registry.h"
#include "platform/screen.h"

namespace qd {

class WidgetWindow : public ManagedWindow {
public:
    WidgetWindow(QWidget* widget, const Screen& screen) : widget_(widget), screen_(screen) {}
    ~WidgetWindow() override;

    void show_window() override;
    void hide_window() override;
    bool window_visible() const override;
    std::string window_title() const override;
    int width_twips() const override;
    int height_twips() const override;
    void move_to_twips(int left, int top) override;

    QWidget* widget() const { return widget_; }

protected:
    // Puts `widget` (or nothing) in the place of the one so far, which is
    // hidden and deleted later: for a window that is made afresh for each use.
    void replace_widget(QWidget* widget);

private:
    QPointer<QWidget> widget_;
    const Screen& screen_;
};

}  // namespace qd
