#include "shell/welcome_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QToolButton>

#include "common/guarded_steps.h"
#include "common/program_title.h"
#include "common/window_operations.h"
#include "platform/failure.h"
#include "platform/qt/accessible_button.h"
#include "setup/quiz_resume.h"
#include "shell/click_area.h"
#include "shell/loading_window.h"

namespace qd {
namespace {

constexpr int kWidthTwips = 6350;
constexpr int kHeightTwips = 8090;

QFont bold_font(const QFont& base, int points = 0) {
    QFont font = base;
    font.setBold(true);
    if (points > 0) font.setPointSize(points);
    return font;
}

}  // namespace

WelcomeWindow::WelcomeWindow(ProgramServices services, const std::string& artwork_file) : services_(services) {
    setObjectName("Welcome");
    setWindowTitle(kProgramTitle);
    setAutoFillBackground(true);

    artwork_ = add_label("Image3", QString(), 0, 0, 6375, 7800);

    // Focusable areas over the artwork's buttons and seal, in reading order.
    start_area_ = add_click_area("Image4_0", "Start", 4680, 4320, 1575, 975, &WelcomeWindow::start_action);
    help_area_ = add_click_area("Image4_1", "Help", 4800, 5280, 1455, 855, &WelcomeWindow::help_action);
    exit_area_ = add_click_area("Image4_2", "Exit", 4680, 6120, 1575, 1095, &WelcomeWindow::exit_action);
    add_click_area("Label7", "Money-back guarantee", 120, 5520, 2535, 1935, &WelcomeWindow::guarantee_action)
        ->setToolTip("Our money-back guarantee");
    load_artwork(artwork_file);

    label6_ = add_label("Label6", QString(), 480, 2880, 8415, 375);
    label6_->setStyleSheet("color: white;");
    label6_->setFont(bold_font(font(), 12));

    // The links sit on the light panel of the artwork, inside the window.
    feedback_link_ = add_link("lblFeedback", "Submit Feedback", 2820, 6660, 975, 495, &WelcomeWindow::feedback_action);
    feedback_link_->hide();
    add_link("lblEULALink", "EULA", 3840, 6840, 660, 255, &WelcomeWindow::eula_action);

    // Designed elements that the load hides and that stay hidden.
    start_real_ = add_button("cmd_start_real", "Start Quiz", &WelcomeWindow::start_action);
    title_ = add_label("test_name", QString(), 480, 3240, 5400, 375);
    description_ = add_label("txtTestDescription", QString(), 480, 3600, 4000, 1200);
    release_ = add_label("lRelease", QString(), 1680, 5160, 1200, 255);
    hidden_by_load_ = {add_button("Start_Quiz", "Start", &WelcomeWindow::start_action),
                       start_real_,
                       add_button("help_command", "Help", &WelcomeWindow::help_action),
                       add_button("Command1", "Exit", &WelcomeWindow::exit_action),
                       add_label("Image1", QString(), 0, 0, 6375, 7800),
                       title_,
                       description_,
                       add_label("lbl_written_by", "Written by", 480, 4860, 1200, 255),
                       add_label("author_name2", "Palvera Press", 1680, 4860, 2400, 255),
                       add_label("lbl_release", "Release", 480, 5160, 1200, 255),
                       release_,
                       add_label("lbl_notice", QString(), 480, 7440, 5400, 255),
                       add_label("lbl_disclaimer", QString(), 480, 7680, 5400, 255),
                       add_label("lbl_greeting", QString(), 480, 2520, 5400, 255)};

    // The picture buttons were designed to the right of the window's width,
    // where nobody can see or click them; they stay hidden, so keyboard and
    // screen-reader users meet only the areas over the artwork.
    struct PictureButton {
        const char* name;
        const char* caption;
        int top;
        void (WelcomeWindow::*action)();
    };
    for (const PictureButton& b : {PictureButton{"HMI_Start", "Start", 4320, &WelcomeWindow::start_action},
                                   PictureButton{"hmi_help", "Help", 5280, &WelcomeWindow::help_action},
                                   PictureButton{"hmi_exit", "Exit", 6120, &WelcomeWindow::exit_action}}) {
        auto* button = new QToolButton(this);
        button->setObjectName(b.name);
        button->setText(b.caption);
        place(button, 6480, b.top, 1200, 600);
        button->hide();
        connect(button, &QToolButton::clicked, this, [this, action = b.action] { silent_step([&] { (this->*action)(); }); });
    }
    start_area_->setFocus();
}

WelcomeWindow::~WelcomeWindow() = default;

void WelcomeWindow::place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(px_x(left), px_y(top), px_x(width), px_y(height));
}

ClickArea* WelcomeWindow::add_click_area(const char* name, const QString& accessible_name, int left, int top, int width, int height,
                                         void (WelcomeWindow::*action)()) {
    auto* area = new ClickArea(this, ClickArea::Look::transparent);
    area->setObjectName(name);
    area->setAccessibleName(accessible_name);
    place(area, left, top, width, height);
    connect(area, &ClickArea::clicked, this, [this, action] { silent_step([&] { (this->*action)(); }); });
    return area;
}

ClickArea* WelcomeWindow::add_link(const char* name, const QString& caption, int left, int top, int width, int height,
                                   void (WelcomeWindow::*action)()) {
    auto* link = new ClickArea(this, ClickArea::Look::link);
    link->setObjectName(name);
    link->setText(caption);
    place(link, left, top, width, height);
    connect(link, &ClickArea::clicked, this, [this, action] { silent_step([&] { (this->*action)(); }); });
    return link;
}

QLabel* WelcomeWindow::add_label(const char* name, const QString& caption, int left, int top, int width, int height) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    place(label, left, top, width, height);
    return label;
}

QPushButton* WelcomeWindow::add_button(const char* name, const QString& caption, void (WelcomeWindow::*action)()) {
    QPushButton* button = make_button(this, name, caption, [this, action] { silent_step([&] { (this->*action)(); }); });
    place(button, 4680, 7320, 1575, 375);
    return button;
}

void WelcomeWindow::load_artwork(const std::string& artwork_file) {
    QSvgRenderer renderer(QString::fromStdString(artwork_file));
    const qreal ratio = devicePixelRatioF();
    if (!renderer.isValid()) {
        // Without the artwork the areas show their names, so the window stays usable.
        for (ClickArea* area : {start_area_, help_area_, exit_area_}) area->setText(area->accessibleName());
        return;
    }
    QPixmap picture(artwork_->size() * ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter);
    painter.end();
    picture.setDevicePixelRatio(ratio);
    artwork_->setPixmap(picture);
}

void WelcomeWindow::show_loading_notice() {
    loading_ = std::make_unique<LoadingWindow>(services_.screen);
    const WindowPosition position = centered_position(services_.screen, loading_->width() * services_.screen.twips_per_pixel_x(),
                                                      loading_->height() * services_.screen.twips_per_pixel_y());
    loading_->move(px_x(position.left), px_y(position.top));
    loading_->show();
    loading_->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WelcomeWindow::close_loading_notice() {
    if (loading_) loading_->hide();
    loading_.reset();
}

void WelcomeWindow::set_start_window_visible(bool visible) { setVisible(visible); }

void WelcomeWindow::set_busy_pointer(bool busy) {
    if (busy) setCursor(Qt::WaitCursor);
    else unsetCursor();
}

void WelcomeWindow::set_description_caption(const std::string& text) { description_->setText(QString::fromStdString(text)); }

void WelcomeWindow::set_release_caption(const std::string& text) { release_->setText(QString::fromStdString(text)); }

void WelcomeWindow::apply_appearance() {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kStartWindowColour);
    setPalette(colours);
    for (QWidget* widget : hidden_by_load_) widget->hide();
    setFixedSize(px_x(kWidthTwips), px_y(kHeightTwips));
    // The designed caption is empty; the product's name tells the student,
    // the task bar and screen readers which program this is.
    setWindowTitle(kProgramTitle);
}

void WelcomeWindow::set_title_caption(const std::string& text) { title_->setText(QString::fromStdString(text)); }

void WelcomeWindow::set_label6_caption(const std::string& text) { label6_->setText(QString::fromStdString(text)); }

void WelcomeWindow::show_feedback_link() { feedback_link_->show(); }

void WelcomeWindow::set_feedback_caption(const std::string& text) { feedback_link_->setText(QString::fromStdString(text)); }

void WelcomeWindow::center_on_screen() {
    const auto& screen = services_.screen;
    const WindowPosition position = centered_position(screen, frameGeometry().width() * screen.twips_per_pixel_x(),
                                                      frameGeometry().height() * screen.twips_per_pixel_y());
    move(px_x(position.left), px_y(position.top));
}

void WelcomeWindow::start_action() {
    WindowRegistry& windows = services_.windows;
    std::optional<OpenQuiz> left;
    if (services_.recorder)
        silent_step([&] { left = services_.recorder->open_quiz(services_.settings.get(setting::student_name), ""); });
    if (!left) return windows.get<StartWindowOperations>(kStartWindow).start_quiz_click_sub();

    // A quiz was closed or cut short by a crash: go on with it, or put it aside.
    const std::string words = left_quiz_words(*left);
    const int choice = services_.dialogs.choose("Your last quiz was not finished.", "Resume Quiz",
                                                {"&Resume " + words, "Start &Fresh", "&Cancel"}, 2);
    if (choice != 0 && choice != 1) return;
    if (choice == 1) {
        if (services_.dialogs.message("Put aside " + words + " for good? Its answers so far stay in your study record.",
                                      "Start Fresh", DialogButtons::yes_no, DialogIcon::question) != DialogAnswer::yes)
            return;
        services_.recorder->discard_quiz(left->id);
    }
    windows.get<StartWindowOperations>(kStartWindow).start_quiz_click_sub();
    if (choice == 1) return;
    std::optional<ResumeRefusal> refusal = ResumeRefusal{"the main menu did not open"};
    silent_step([&] { refusal = windows.get<MainMenuOperations>(kMainMenu).resume_quiz(left->id, left->progress); });
    if (!refusal) return;
    services_.log.append("Welcome resume_quiz()", "Welcome", static_cast<int>(FailureCode::file_access_error),
                         "The quiz left open cannot be resumed: " + refusal->why);
    // A quiz that never can be is put aside; one that cannot be now is kept for later.
    services_.dialogs.message("Sorry, " + words + " cannot be resumed: " + refusal->why +
                                  (refusal->for_good ? ". It is put aside; its answers so far stay in your study record."
                                                     : ". It is kept, and Start offers it again next time."),
                              kProgramTitle, DialogButtons::ok, DialogIcon::warning);
    if (refusal->for_good) services_.recorder->discard_quiz(left->id);
}

void WelcomeWindow::help_action() {
    shell_open(services_.shell, help_document(services_.state.paths.program_folder), ShowMode::normal);
}

void WelcomeWindow::exit_action() { quit_program(services_.windows, services_.process_end); }

void WelcomeWindow::eula_action() { shell_open(services_.shell, eula_address(services_.state), ShowMode::maximized); }

void WelcomeWindow::guarantee_action() { shell_open(services_.shell, maker::kGuaranteePage, ShowMode::normal); }

void WelcomeWindow::feedback_action() {
    feedback_survey_click(services_.state, services_.settings, services_.dialogs, services_.shell);
}

void WelcomeWindow::closeEvent(QCloseEvent* event) {
    // Closing the start window ends the program through its unload.
    event->ignore();
    silent_step([&] { services_.windows.unload(kStartWindow); });
}

void WelcomeWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        GuardedProcedure activate(services_.log, guard::start_window_activate);
        activate.step([&] {
            if (start_real_->isVisible()) start_real_->setFocus();
        });
    }
    QWidget::changeEvent(event);
}

WelcomeHandle::WelcomeHandle(WelcomeWindow* window, ProgramServices services, StartUpInputs inputs)
    : WidgetWindow(window, services.screen), window_(window), services_(services), inputs_(std::move(inputs)) {}

void WelcomeHandle::run_load() {
    run_start_up(services_.state, services_.settings, services_.log, *window_, services_.windows, services_.dialogs, inputs_);
}

void WelcomeHandle::start_quiz_click_sub() { qd::start_quiz_click_sub(services_.windows, services_.screen, services_.log); }

void WelcomeHandle::unload_handling() {
    for (const char* name : {kQuizWindow, kMainMenu, kResultsWindow, kExhibitWindow})
        silent_step([&] { services_.windows.unload(name); });
    silent_step([] {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    });
    // Releasing the start window ends the program.
    quit_program(services_.windows, services_.process_end);
}

std::unique_ptr<ManagedWindow> create_start_window(ProgramServices services, const StartUpInputs& inputs) {
    auto* window = new WelcomeWindow(services, inputs.executable_folder + "/welcome.svg");
    return std::make_unique<WelcomeHandle>(window, services, inputs);
}

}  // namespace qd
