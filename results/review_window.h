#pragma once
// The full review of the quiz just finished, in the embedded browser: every
// question with the student's answer, the right one, the explanation and a
// link to the study guide; Print prints the page as the filter shows it.
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "platform/browser.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

namespace qd {

class ReviewWindow final : public QWidget {
public:
    // `open_book` shows the study guide at the page the question at a position cites.
    // A window of its own that goes with `owner`.
    ReviewWindow(QWidget* owner, std::unique_ptr<Browser> browser, Shell& desktop, Dialogs& dialogs,
                 std::function<void(int position)> open_book);
    ~ReviewWindow() override;

    // Writes the page (relative pictures resolve in `base_folder`) and shows the window.
    void show_review(const std::string& html, const std::string& base_folder);
    Browser& browser() { return *browser_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void follow_link(const std::string& address);

    std::unique_ptr<Browser> browser_;
    Shell& desktop_;
    Dialogs& dialogs_;
    std::function<void(int)> open_book_;
};

}  // namespace qd
