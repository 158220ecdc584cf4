#include "platform/qt/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include "platform/window_fit.h"

namespace qd {

void fit_window_into(QWidget& window, const QRect& area) {
    const QRect frame = window.frameGeometry();
    const QRect inside = window.geometry();
    const int frame_width = frame.width() - inside.width();
    const int frame_height = frame.height() - inside.height();
    const FittedWindow fitted = fit_window({frame.left(), frame.top(), frame.width(), frame.height()}, frame_width, frame_height,
                                           window.minimumWidth(), window.minimumHeight(),
                                           {area.left(), area.top(), area.width(), area.height()});
    if (fitted.minimum_width != window.minimumWidth() || fitted.minimum_height != window.minimumHeight())
        window.setMinimumSize(fitted.minimum_width, fitted.minimum_height);
    if (window.isMaximized() || window.isFullScreen()) return;  // the desktop places these
    // Only what does not fit changes: a window that fits keeps its size, and
    // the desktop still places one that was never placed.
    if (fitted.frame.width != frame.width() || fitted.frame.height != frame.height())
        window.resize(fitted.frame.width - frame_width, fitted.frame.height - frame_height);
    if (fitted.frame.left != frame.left() || fitted.frame.top != frame.top()) window.move(fitted.frame.left, fitted.frame.top);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog)) {
            const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
            if (screen) fit_window_into(*widget, screen->availableGeometry());
        }
    }
    return QObject::eventFilter(watched, event);
}

void install_screen_fit() {
    static ScreenFit* fit = nullptr;
    if (fit) return;
    fit = new ScreenFit(qApp);
    qApp->installEventFilter(fit);
}

}  // namespace qd
