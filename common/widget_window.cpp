#include "common/widget_window.h"

namespace qd {

WidgetWindow::~WidgetWindow() { replace_widget(nullptr); }

void WidgetWindow::replace_widget(QWidget* widget) {
    if (widget_ && widget_ != widget) {
        widget_->hide();
        widget_->deleteLater();
    }
    widget_ = widget;
}

void WidgetWindow::show_window() {
    if (!widget_) return;
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

void WidgetWindow::hide_window() {
    if (widget_) widget_->hide();
}

bool WidgetWindow::window_visible() const { return widget_ && widget_->isVisible(); }

std::string WidgetWindow::window_title() const { return widget_ ? widget_->windowTitle().toStdString() : std::string(); }

int WidgetWindow::width_twips() const { return widget_ ? widget_->frameGeometry().width() * screen_.twips_per_pixel_x() : 0; }

int WidgetWindow::height_twips() const { return widget_ ? widget_->frameGeometry().height() * screen_.twips_per_pixel_y() : 0; }

void WidgetWindow::move_to_twips(int left, int top) {
    if (widget_) widget_->move(left / screen_.twips_per_pixel_x(), top / screen_.twips_per_pixel_y());
}

}  // namespace qd
