#pragma once
// A label that reports clicks: the transparent click areas and text links of
// the start window.
#include <QLabel>
#include <QMouseEvent>

namespace qd {

class ClickArea : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
        QLabel::mouseReleaseEvent(event);
    }
};

}  // namespace qd
