#pragma once
// Keeps every top-level window of the program on the free area of its
// screen when it opens, at any screen size and scale factor.
#include <QObject>
#include <QRect>

class QWidget;

namespace qd {

// Fits one window into `area` (logical pixels): its size, smallest size and place.
void fit_window_into(QWidget& window, const QRect& area);

// Watches the windows as they open; install once on the application.
class ScreenFit final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

void install_screen_fit();

}  // namespace qd
