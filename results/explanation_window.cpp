#include "results/explanation_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "common/guarded_steps.h"
#include "common/picture_window.h"
#include "common/widget_window.h"
#include "common/window_operations.h"
#include "platform/qt/accessible_button.h"

namespace qd {

namespace {

constexpr int kSmallestWidthTwips = 9540;
constexpr int kSmallestHeightTwips = 6960;

}  // namespace

ExplanationWindow::ExplanationWindow(const ExplanationServices& services, std::unique_ptr<Browser> browser)
    : services_(services), browser_(std::move(browser)) {
    setObjectName("theanswer");
    setWindowTitle("The Answer");
    const Screen& screen = services_.program.screen;
    setMinimumSize(kSmallestWidthTwips / screen.twips_per_pixel_x(), kSmallestHeightTwips / screen.twips_per_pixel_y());

    QWidget* page = browser_->widget();
    page->setObjectName("text1");
    page->setAccessibleName("Explanation");
    browser_->on_page_signal([](const std::string& name) { show_picture_from_page(name); });

    auto* frame = new QWidget(this);
    frame->setObjectName("Frame1");
    auto* close = make_button(frame, "Closeb", "&Close");
    auto* feedback = make_button(frame, "Command1", "&E-mail feedback to author");
    auto* print = make_button(frame, "Command2", "&Print");
    web_link_button_ = make_button(frame, "webcmd", "&Jump to WEB Link");
    web_link_button_->hide();
    close->setDefault(true);
    auto* buttons = new QHBoxLayout(frame);
    for (QPushButton* button : {close, feedback, print, web_link_button_}) buttons->addWidget(button);

    connect(close, &QPushButton::clicked, this, [this] { silent_step([&] { hide_answer(); }); });
    connect(feedback, &QPushButton::clicked, this, [this] { silent_step([&] { send_feedback(); }); });
    connect(print, &QPushButton::clicked, this, [this] { silent_step([&] { Command2_Click(); }); });
    connect(web_link_button_, &QPushButton::clicked, this,
            [this] { shell_open(services_.program.shell, web_link_, ShowMode::normal); });

    // The browser keeps its margins as the window grows; the buttons stay centred at the bottom.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page, 1);
    layout->addWidget(frame, 0, Qt::AlignHCenter);
    set_tab_order({page, close, feedback, print, web_link_button_});
    resize(minimumSize());
}

ExplanationWindow::~ExplanationWindow() = default;

void ExplanationWindow::load() {
    QuizState& quiz = services_.program.state.quiz;
    silent_step([&] {
        const Screen& screen = services_.program.screen;
        const WindowPosition position = centered_position(screen, frameGeometry().width() * screen.twips_per_pixel_x(),
                                                          frameGeometry().height() * screen.twips_per_pixel_y());
        move(position.left / screen.twips_per_pixel_x(), position.top / screen.twips_per_pixel_y());
    });
    silent_step([&] {
        if (!quiz.from_answer_check) return;
        set_answer_check_enabled(false);
        quiz.from_answer_check = 0;
    });
}

void ExplanationWindow::set_answer_check_enabled(bool enabled) {
    if (auto* quiz = services_.program.windows.find_as<QuizWindowOperations>(kQuizWindow)) quiz->set_answer_check_enabled(enabled);
}

void ExplanationWindow::set_wow_explanation_html(std::string& body) {
    ProgramState& state = services_.program.state;
    WorkingSettings& working = services_.program.settings.working;
    silent_step([&] {
        if (working.font_size < 1) working.font_size = 12;
    });
    silent_step([&] {
        const std::string font_name = working.font_name.empty() ? services_.program.settings.get(setting::saved_font_name)
                                                                : working.font_name;
        const ExplanationPageSettings page{working.font_size,
                                           font_name,
                                           working.embed_media_player == 1,
                                           state.bank.exam_title,
                                           state.bank.version_text,
                                           state.bank.product_number,
                                           state.paths.data_folder};
        body = explanation_page_body(body, state.quiz.current_question, page, services_.addresses, services_.player_fragment);
    });
    silent_step([&] {
        browser_->write_document(services_.page_head() + body + "</body></html>", state.paths.data_folder);
        browser_->wait_while_busy();
    });
    for (const char* which : {"1", "2", "3"}) {
        silent_step([&] {
            const std::string id = std::string("Exhibit") + which;
            if (browser_->has_element(id)) browser_->hook_click(id, [this, which] { silent_step([&] { HTML_Click1(which); }); });
        });
    }
}

void ExplanationWindow::set_web_link(const std::string& link) {
    web_link_button_->hide();
    web_link_ = link;
    if (!link.empty()) web_link_button_->show();
}

void ExplanationWindow::HTML_Click1(const std::string& which) {
    if (which != "1" && which != "2" && which != "3") return;
    const ProgramState& state = services_.program.state;
    const std::string& file = state.quiz.current_question.exhibit_files.at(static_cast<std::size_t>(which[0] - '0'));
    shell_open(services_.program.shell, state.paths.data_folder + file, ShowMode::normal);
}

void ExplanationWindow::Command2_Click() {
    if (services_.print_page(*browser_)) return;
    services_.program.dialogs.message("Printing Error - 15DEC02.", "Printing Error", DialogButtons::ok, DialogIcon::none);
}

void ExplanationWindow::send_feedback() {
    const ProgramState& state = services_.program.state;
    const UserSettings& settings = services_.program.settings;
    const FeedbackContext context{settings.get(setting::mail_type), settings.get(setting::email),
                                  state.bank.product_number,        state.bank.exam_title,
                                  state.bank.version_text,          state.quality_mailbox};
    shell_open(services_.program.shell, feedback_address(state.quiz.current_question, context, services_.addresses),
               ShowMode::normal);
}

void ExplanationWindow::hide_answer() {
    silent_step([&] { set_answer_check_enabled(true); });
    hide();
}

void ExplanationWindow::reject() { hide_answer(); }

void ExplanationWindow::resizeEvent(QResizeEvent* event) {
    // The smallest size is kept by the minimum size; the layout does the rest.
    QDialog::resizeEvent(event);
}

ExplanationHandle::ExplanationHandle(ExplanationServices services)
    : WidgetWindow(nullptr, services.program.screen), services_(std::move(services)) {}

void ExplanationHandle::show_answer(bool print_only) {
    ProgramState& state = services_.program.state;
    QuizState& quiz = state.quiz;
    silent_step([&] { quiz.current_question = state.table.at(quiz.current_index); });
    ExplanationBody body;
    silent_step([&] {
        const std::string position = services_.program.settings.get(setting::put_answer);
        const auto lab = quiz.lab_findings.find(quiz.current_index);
        body = explanation_body(quiz.current_question,
                                {quiz.chosen_letters.at(static_cast<std::size_t>(quiz.current_index)), quiz.verdict, position},
                                state.paths.data_folder, lab == quiz.lab_findings.end() ? std::vector<LabFinding>{} : lab->second);
        quiz.verdict = body.verdict;
    });
    const std::string body_before_page = body.text;
    silent_step([&] {
        // A fresh window for every page; the previous one goes first.
        replace_widget(nullptr);
        replace_widget(new ExplanationWindow(services_, services_.make_browser()));
        current()->load();
        current()->set_wow_explanation_html(body.text);
    });
    ExplanationWindow* window = current();
    if (!window) return;
    silent_step([&] { window->set_web_link(last_web_link(body_before_page)); });
    silent_step([&] { center_form(*this, services_.program.screen); });
    if (print_only) {
        silent_step([&] { window->Command2_Click(); });
        window->hide();
        return;
    }
    silent_step([&] { window->exec(); });
    replace_widget(nullptr);
}

void ExplanationHandle::hide_window() {
    if (ExplanationWindow* window = current()) window->hide_answer();
}

std::unique_ptr<ManagedWindow> create_explanation_window(ExplanationServices services) {
    return std::make_unique<ExplanationHandle>(std::move(services));
}

}  // namespace qd
