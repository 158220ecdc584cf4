#pragma once
// The explanation window `theanswer` ("The Answer"): one question's verdict,
// answers, explanation, reference, id, diagrams and online tutor, written into
// the embedded browser; with feedback by mail, printing and the page's web
// link. A fresh window is made for every page; print-only mode prints the page
// without ever showing the window.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "common/widget_window.h"
#include "common/window_registry.h"
#include "platform/browser.h"
#include "results/explanation_page.h"
#include "state/program_services.h"

class QPushButton;

namespace qd {

// What the explanation window needs beside the program's services.
struct ExplanationServices {
    ProgramServices program;
    std::function<std::unique_ptr<Browser>()> make_browser;
    // The page head the question pages use (their script head), written before every page.
    std::function<std::string()> page_head;
    PlayerFragment player_fragment;
    // Prints the browser's page after asking where to; false when printing failed.
    std::function<bool(Browser&)> print_page;
    ExplanationAddresses addresses;
};

class ExplanationWindow : public QDialog {
public:
    ExplanationWindow(const ExplanationServices& services, std::unique_ptr<Browser> browser);
    ~ExplanationWindow() override;

    // The load: centres the window and takes over the answer-check button's state.
    void load();
    // Completes the body into the page and writes it into the browser.
    void set_wow_explanation_html(std::string& body);
    void set_web_link(const std::string& link);
    void HTML_Click1(const std::string& which);
    // Prints the page; a failure shows "Printing Error - 15DEC02.".
    void Command2_Click();
    void hide_answer();

    Browser& browser() { return *browser_; }

protected:
    void reject() override;  // Escape and the close box close like "&Close"
    void resizeEvent(QResizeEvent* event) override;

private:
    void send_feedback();
    void set_answer_check_enabled(bool enabled);

    const ExplanationServices& services_;
    std::unique_ptr<Browser> browser_;
    QPushButton* web_link_button_ = nullptr;
    std::string web_link_;
};

// The window in the registry: its show_answer builds the page of the quiz's
// current question in a fresh window and shows it modally, or only prints it.
class ExplanationHandle : public WidgetWindow, public ExplanationWindowOperations {
public:
    explicit ExplanationHandle(ExplanationServices services);

    void show_answer(bool print_only) override;
    // Hides the page as "&Close" does.
    void hide_window() override;

    // The window of the page on screen, or of the page printed last; none
    // before the first page and once a shown page is closed.
    ExplanationWindow* current() const { return static_cast<ExplanationWindow*>(widget()); }

private:
    ExplanationServices services_;
};

std::unique_ptr<ManagedWindow> create_explanation_window(ExplanationServices services);

}  // namespace qd
