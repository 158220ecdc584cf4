#pragma once
// The exhibit window: a question's text exhibit (command output, a capture)
// in a fixed-pitch text box that never wraps, with "&Close". One window is
// reused; a later exhibit replaces the text shown.
#include <QWidget>
#include <memory>
#include <string>

#include "common/widget_window.h"
#include "common/window_operations.h"
#include "platform/screen.h"

class QPlainTextEdit;
class QPushButton;

namespace qd {

class ExhibitWindow : public QWidget {
public:
    explicit ExhibitWindow(const Screen& screen);

    // Shows the file's text; a missing or unreadable file shows a one-line
    // notice instead. Returns whether the file was read.
    bool load_exhibit(const std::string& path);
    QString text() const;

    // Places the window beside the quiz window's frame, on the side with room,
    // wide enough for the exhibit's longest line where the screen allows.
    void place_beside(const QRect& quiz_frame);

    // The minimum size in twips (height, width).
    static constexpr int kMinimumHeightTwips = 5955, kMinimumWidthTwips = 10125;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPlainTextEdit* text1_;
    QPushButton* close_;
};

// The window as the registry's "Exhibit": created on first use, reused after.
class ExhibitHandle final : public WidgetWindow, public ExhibitWindowOperations {
public:
    ExhibitHandle(ExhibitWindow* window, const Screen& screen) : WidgetWindow(window, screen), window_(window) {}
    ExhibitWindow& exhibit() const { return *window_; }
    void show_exhibit_beside(const std::string& data_folder, const std::string& file_name, const WindowBox& quiz_frame) override;

private:
    ExhibitWindow* window_;
};

std::unique_ptr<ManagedWindow> create_exhibit_window(const Screen& screen);

// The exhibit button: loads `data_folder` + `file_name` into the window and
// shows it, modeless. An empty name does nothing.
void show_exhibit(ExhibitWindow& window, const std::string& data_folder, const std::string& file_name);

}  // namespace qd
