#pragma once
// The program's own window for its HTML documents (the user guide, a
// student's history report): the page in the embedded browser, its links
// followed in place, Back, Print, and "Open in my browser" for the
// desktop's own browser.
#include <QWidget>
#include <memory>
#include <string>

#include "platform/browser.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

class QPushButton;

namespace qd {

class DocumentWindow final : public QWidget {
public:
    DocumentWindow(std::unique_ptr<Browser> browser, Shell& desktop, Dialogs& dialogs);
    ~DocumentWindow() override;

    void show_document(const std::string& address, ShowMode mode);
    Browser& browser() { return *browser_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void follow_link(const std::string& address);
    void follow_page();

    std::unique_ptr<Browser> browser_;
    Shell& desktop_;
    Dialogs& dialogs_;
    QPushButton* back_ = nullptr;
};

// The desktop's "open", except that the program's own HTML documents open in
// the program's document window (one, reused); everything else, and every
// address on the web, still goes to the desktop.
class DocumentShell final : public Shell {
public:
    DocumentShell(Shell& desktop, BrowserFactory& browsers, Dialogs& dialogs);
    ~DocumentShell() override;
    void open(const std::string& document, ShowMode mode) override;
    DocumentWindow* window() const;

private:
    Shell& desktop_;
    BrowserFactory& browsers_;
    Dialogs& dialogs_;
    std::unique_ptr<DocumentWindow> window_;
};

// A local HTML file, by path or file: address; its absolute file address.
std::string local_document_address(const std::string& document);

}  // namespace qd
