#include "shell/click_area.h"

#include <QKeyEvent>
#include <QPainter>

namespace qd {

ClickArea::ClickArea(QWidget* parent, Look look) : QAbstractButton(parent), look_(look) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    if (look_ == Look::link) {
        QFont link_font = font();
        link_font.setBold(true);
        link_font.setUnderline(true);
        link_font.setPointSize(8);
        setFont(link_font);
    }
}

void ClickArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!text().isEmpty()) {
        painter.setPen(look_ == Look::link ? QColor(Qt::blue) : QColor(Qt::white));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, text());
    }
    if (hasFocus()) {
        // Dark and light dashes, so the frame shows on any part of the artwork.
        const QRect frame = rect().adjusted(1, 1, -2, -2);
        painter.setPen(QPen(Qt::black, 2, Qt::SolidLine));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::white, 2, Qt::DashLine));
        painter.drawRect(frame);
    }
}

void ClickArea::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);  // Space
}

}  // namespace qd
