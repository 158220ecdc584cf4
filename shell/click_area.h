#pragma once
// A focusable button drawn over the start window's artwork: a transparent
// area over a painted button or seal, or a text link. Keyboard users reach it
// with Tab, see a focus frame and activate it with Enter or Space; screen
// readers see a button with its name.
#include <QAbstractButton>

namespace qd {

class ClickArea : public QAbstractButton {
public:
    enum class Look { transparent, link };

    ClickArea(QWidget* parent, Look look);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Look look_;
};

}  // namespace qd
