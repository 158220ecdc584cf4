#pragma once
// A diagram at its full size, in a window of its own that the student moves
// and resizes; scroll bars show what does not fit. One window is reused.
#include <QWidget>
#include <string>

class QLabel;
class QScrollArea;

namespace qd {

class PictureWindow final : public QWidget {
public:
    PictureWindow();
    // Shows the picture (a file path or file: address) under the title;
    // a picture that cannot be read says so in the window.
    void show_picture(const std::string& title, const std::string& address);
    QLabel* picture() const { return picture_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QScrollArea* scroller_;
    QLabel* picture_;
};

// Handles a page's "picture TITLE\nADDRESS" signal with the one picture
// window of the program; false for any other signal.
bool show_picture_from_page(const std::string& page_signal);

}  // namespace qd
