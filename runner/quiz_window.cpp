#include "runner/quiz_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>
#include <utility>

#include "common/chapter_reviewer.h"
#include "common/guarded_steps.h"
#include "common/module1.h"
#include "common/picture_window.h"
#include "common/program_title.h"
#include "platform/file_url.h"
#include "platform/qt/accessible_button.h"
#include "platform/text_forms.h"
#include "record/quiz_snapshot.h"
#include "results/quiz_progress.h"
#include "results/results_file.h"
#include "runner/answer_check.h"
#include "runner/exercises.h"
#include "runner/mail_settings.h"
#include "runner/navigator_window.h"
#include "runner/page_behaviour.h"
#include "runner/question_page.h"
#include "runner/quiz_navigation.h"
#include "runner/quiz_timer.h"
#include "runner/review_button.h"

namespace qd {

// The live score's bar: the full bar `Gauge1` with the share answered wrong
// drawn over it from the top (`the_gauge`).
class ScoreGauge : public QWidget {
public:
    explicit ScoreGauge(QWidget* parent) : QWidget(parent) {
        setObjectName("Gauge1");
        setFixedSize(24, 120);
        setAutoFillBackground(true);
        setPalette(QPalette(QColor(0, 153, 0)));
        overlay_ = new QWidget(this);
        overlay_->setObjectName("the_gauge");
        overlay_->setAutoFillBackground(true);
        overlay_->setPalette(QPalette(QColor(204, 0, 0)));
        overlay_->setGeometry(0, 0, width(), height());
        setAccessibleName("Score gauge");
    }
    // Nothing graded yet (a negative share) leaves the bar as it was.
    void show_wrong_share(double share, int twips_per_pixel) {
        if (share < 0) return;
        const int overlay_height = static_cast<int>(height() * share);
        overlay_->setGeometry(0, 0, width(), overlay_height);
        overlay_->setVisible(overlay_height * twips_per_pixel >= 20);
    }
    QWidget* overlay() const { return overlay_; }

private:
    QWidget* overlay_;
};

namespace {

constexpr int kMinimumWidthTwips = 9540;
constexpr int kTicksBetweenKeeps = 15;  // of the 2-second timer: half a minute
constexpr int kMinimumHeightTwips = 6960;
constexpr int kFontSizes[7] = {0, 8, 10, 12, 14, 18, 20};
const char* const kFontNames[3] = {"", "Times New Roman", "Arial"};
constexpr const char* kFallbackPageTop = "\r\n<body>\r\n<form name=frm onsubmit=\"return false\">";

QString qs(const std::string& text) { return QString::fromStdString(text); }

bool on(std::int16_t value) { return value != 0; }

}  // namespace

QuizWindow::QuizWindow(ProgramServices services, QuizWindowServices quiz_services)
    : services_(services), quiz_services_(std::move(quiz_services)) {
    setObjectName("quest");
    setAttribute(Qt::WA_DeleteOnClose, false);
    browser_ = services_.browsers->create();
    browser_->widget()->setObjectName("WebBrowser1");
    browser_->widget()->setAccessibleName("Question");
    browser_->set_page_script(kQuestionPageBehaviour);
    browser_->on_page_signal([this](const std::string& name) {
        if (name == "next" && cmd_buttons_[0]->isEnabled()) next_click();
        else show_picture_from_page(name);
    });
    build_controls();
    build_menus();
}

QuizWindow::~QuizWindow() = default;

void QuizWindow::build_controls() {
    const int tpp_x = services_.screen.twips_per_pixel_x();
    const int tpp_y = services_.screen.twips_per_pixel_y();
    setMinimumSize(kMinimumWidthTwips / tpp_x, kMinimumHeightTwips / tpp_y);
    resize(800, 600);

    cmd_buttons_[0] = make_button(this, "cmd_buttons_0", "&Next ->", EnterKey::presses_button);
    cmd_buttons_[1] = make_button(this, "cmd_buttons_1", "<- Bac&k", EnterKey::presses_button);
    cmd_buttons_[2] = make_button(this, "cmd_buttons_2", "Launch Simulator", EnterKey::presses_button);
    cmd_buttons_[3] = make_button(this, "cmd_buttons_3", "Launch Drag and Drop", EnterKey::presses_button);
    exhibit_button_ = make_button(this, "exhibitbutton_0", "Exhibit 1", EnterKey::presses_button);
    review_button_ = make_button(this, "Command1", "Review Chapter ", EnterKey::presses_button);
    cmd_buttons_[0]->setDefault(true);
    connect(cmd_buttons_[0], &QPushButton::clicked, this, [this] { next_click(); });
    connect(cmd_buttons_[1], &QPushButton::clicked, this, [this] { back_click(); });
    for (int i : {2, 3}) connect(cmd_buttons_[i], &QPushButton::clicked, this, [this] { launch_exercise(); });
    connect(exhibit_button_, &QPushButton::clicked, this, [this] { exhibitbutton_Click(0); });
    connect(review_button_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Alt+R: the letters A to F belong to the answers, N and K to Next and Back.
    flag_box_ = new QCheckBox("Flag for &review", this);
    flag_box_->setObjectName("flag_for_review");
    flag_box_->setAccessibleName("Flag for review");
    connect(flag_box_, &QCheckBox::toggled, this, [this](bool checked) { flag_question(checked); });
    navigator_button_ = make_button(this, "navigator_button", "&Go to Question", EnterKey::presses_button);
    navigator_button_->setAccessibleName("Go to Question");
    connect(navigator_button_, &QPushButton::clicked, this, [this] { open_navigator(); });

    auto label = [this](const char* name, const QString& caption) {
        auto* created = new QLabel(caption, this);
        created->setObjectName(name);
        return created;
    };
    whatdoin_ = label("whatdoin", QString());
    question_number_ = label("question_number", QString());
    qid_ = label("qid", QString());
    score_caption_ = label("lbl_score", "Score:");
    score_ = label("score", "0/0");
    percent_right_ = label("Percent_Right", "0%");
    gauge_ = new ScoreGauge(this);
    time_left_caption_ = label("lbltimeleft", "TIME LEFT:");
    time_left_ = label("lbltime", QString());
    auto* separator = new QFrame(this);
    separator->setObjectName("Line1");
    separator->setFrameShape(QFrame::HLine);
    time_separator_ = separator;

    // Side panel `Frame1`: question number, id, score and time left.
    auto* side = new QWidget(this);
    side->setObjectName("Frame1");
    side->setFixedWidth(150);
    auto* side_layout = new QVBoxLayout(side);
    auto pair = [&](const QString& caption, QLabel* value) {
        auto* row = new QHBoxLayout;
        row->addWidget(label("", caption));
        row->addWidget(value, 1);
        side_layout->addLayout(row);
    };
    pair("QUEST #", question_number_);
    pair("QID:", qid_);
    side_layout->addWidget(flag_box_);
    side_layout->addWidget(navigator_button_);
    side_layout->addSpacing(12);
    side_layout->addWidget(score_caption_);
    side_layout->addWidget(score_);
    side_layout->addWidget(percent_right_);
    side_layout->addWidget(gauge_, 0, Qt::AlignHCenter);
    side_layout->addWidget(separator);
    side_layout->addWidget(time_left_caption_);
    side_layout->addWidget(time_left_);
    side_layout->addStretch(1);
    side_layout->addWidget(exhibit_button_);
    side_layout->addWidget(review_button_);

    auto* centre = new QHBoxLayout;
    centre->setContentsMargins(0, 0, 0, 0);
    centre->addWidget(browser_->widget(), 1);
    centre->addWidget(side);

    // The button frame, centred under the page.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (int i : {1, 0, 2, 3}) buttons->addWidget(cmd_buttons_[i]);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addLayout(centre, 1);
    layout->addWidget(whatdoin_);
    layout->addLayout(buttons);
    for (QWidget* hidden : std::initializer_list<QWidget*>{cmd_buttons_[2], cmd_buttons_[3], exhibit_button_, time_left_caption_,
                                                           time_left_, time_separator_})
        hidden->hide();

    // Tab order follows the layout: the page, the side panel, then the buttons.
    set_tab_order({browser_->widget(), flag_box_, navigator_button_, exhibit_button_, review_button_, cmd_buttons_[1],
                   cmd_buttons_[0], cmd_buttons_[2], cmd_buttons_[3]});

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(2000);
    connect(timer1_, &QTimer::timeout, this, [this] { timer1_timer(); });
    timer1_->start();
}

QAction* QuizWindow::add_entry(QMenu* menu, const char* name, const QString& caption, std::function<void()> action, bool checkable) {
    QAction* entry = menu->addAction(caption);
    entry->setObjectName(name);
    entry->setCheckable(checkable);
    connect(entry, &QAction::triggered, this, [action = std::move(action)] { action(); });
    return entry;
}

void QuizWindow::build_menus() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName("menubar");
    static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
    auto add_menu = [&](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        return menu;
    };
    auto& settings = services_.settings;
    auto& working = settings.working;

    QMenu* file = add_menu("menu_file", "F&ile");
    add_entry(file, "menu_printquestion", "&Print Question", [this] {
        silent_step([&] { services_.windows.get<ExplanationWindowOperations>(kExplanationWindow).show_answer(true); });
        silent_step([&] { services_.windows.unload(kExplanationWindow); });
    });
    // The question comes once the menu has closed and whoever chose the entry
    // (a screen reader's press among them) has had its answer.
    add_entry(file, "menu_quittest", "&End and Grade This Quiz",
              [this] { QTimer::singleShot(0, this, [this] { end_and_grade(); }); });
    flag_entry_ = add_entry(
        file, "menu_flag", "&Flag for Review", [this] { flag_question(flag_entry_->isChecked()); }, true);
    add_entry(file, "menu_navigator", "&Go to Question...", [this] { open_navigator(); })->setShortcut(QKeySequence("Ctrl+G"));
    add_entry(file, "menu_exit", "E&xit Program", [this] {
        if (services_.dialogs.message("Are you sure you want to exit the program?", "Exit Program?", DialogButtons::yes_no,
                                      DialogIcon::question) == DialogAnswer::yes)
            services_.process_end.end_process();
    });

    QMenu* fonts = add_menu("menu_fontsize", "For&mat Font");
    for (int entry : {1, 2})
        font_entries_[entry] = add_entry(
            fonts, entry == 1 ? "menufont_1" : "menufont_2", kFontNames[entry], [this, entry] { choose_font_name(entry); }, true);
    fonts->addSeparator();
    const char* const size_names[7] = {"", "menusize_1", "menusize_2", "menusize_3", "menusize_4", "menusize_5", "menusize_6"};
    for (int entry = 1; entry <= 6; ++entry)
        size_entries_[entry] = add_entry(
            fonts, size_names[entry], QString("Size %1").arg(kFontSizes[entry]), [this, entry] { choose_font_size(entry); }, true);

    QMenu* options = add_menu("menu_options", "&Options");
    add_entry(options, "mnuSavefont", "Save Current Font Settings", [this, &settings, &working] {
        silent_step([&] { settings.put(setting::saved_font, std::to_string(working.font_size)); });
        silent_step([&] { settings.put(setting::saved_font_name, working.font_name); });
    });
    show_wrong_ = add_entry(
        options, "menu_showwrong", "Show Answer when Wrong",
        [this, &working] { toggle_option(show_wrong_, setting::answer_when_wrong, working.show_answer_when_wrong); }, true);
    show_right_ = add_entry(
        options, "menu_showright", "Show Answer when Right",
        [this, &working] { toggle_option(show_right_, setting::answer_when_right, working.show_answer_when_right); }, true);
    show_count_ = add_entry(
        options, "menu_shownumanswer", "Show # of Answers",
        [this, &working] { toggle_option(show_count_, setting::show_answer_count, working.show_answer_count); }, true);
    back_entry_ = add_entry(
        options, "menu_backbutton", "Back Button",
        [this, &working] {
        toggle_option(back_entry_, setting::back_button, working.back_button);
        cmd_buttons_[1]->setVisible(on(working.back_button));
        },
        true);
    embed_entry_ = add_entry(
        options, "mnuEmbed", "Embed Media Player (for online tutor)",
        [this, &working] {
        // This one option is stored as a plain decimal ("1", "0").
        toggle_option(embed_entry_, setting::embed_media_player, working.embed_media_player, false);
        },
        true);
    QMenu* answer_menu = options->addMenu("When Showing Answer");
    answer_menu->setObjectName("mnu_show_answer");
    auto place_answer = [this, &settings, &working](const char* where) {
        silent_step([&] { settings.put(setting::put_answer, where); });
        working.answer_position = where;
        answer_top_->setChecked(std::string(where) == "top");
        answer_bottom_->setChecked(std::string(where) == "bottom");
    };
    answer_top_ = add_entry(
        answer_menu, "mnu_answer_at_top", "Put Correct Answer near top", [place_answer] { place_answer("top"); }, true);
    answer_bottom_ = add_entry(
        answer_menu, "mnu_answer_at_bottom", "Put Correct Answer near bottom", [place_answer] { place_answer("bottom"); }, true);

    QMenu* mail = add_menu("mnu_emailsettings", "Email Se&ttings");
    mail_program_ = add_entry(
        mail, "mnu_outlookexpress", "Outlook (Express)",
        [this, &settings] {
        silent_step([&] { mail_type_ = choose_mail_program(settings); });
        mail_program_->setChecked(mail_type_ == kMailProgram);
        web_mail_->setChecked(mail_type_ == kWebMail);
        },
        true);
    web_mail_ = add_entry(
        mail, "mnu_webmail", "Web Based Email",
        [this, &settings] {
        silent_step([&] { mail_type_ = choose_web_mail(settings, services_.dialogs, mail_type_); });
        mail_program_->setChecked(mail_type_ == kMailProgram);
        web_mail_->setChecked(mail_type_ == kWebMail);
        },
        true);
    add_entry(mail, "mnu_changeemailadd", "Change Email Address",
              [this, &settings] { silent_step([&] { change_email_address(settings, services_.dialogs); }); });

    QMenu* help = add_menu("menu_help", "&Help");
    add_entry(help, "menu_contents", "&Contents",
              [this] { shell_open(services_.shell, help_document(services_.state.paths.program_folder), ShowMode::normal); });
    add_entry(help, "menu_about", "&About", [this] {
        const BankState& bank = services_.state.bank;
        services_.dialogs.message("quizdeck\n" + bank.exam_title + "\nVersion " + bank.version_text, "About quizdeck",
                                  DialogButtons::ok, DialogIcon::information);
    });
}

std::string QuizWindow::quiz_letter() const {
    const int choice = services_.state.setup.quiz_choice;
    return choice >= 1 && choice <= 4 ? std::string(1, static_cast<char>('A' + choice - 1)) : std::string();
}

void QuizWindow::form_load() {
    const GuardedProcedure load(services_.log, guard::quiz_load);
    auto& settings = services_.settings;
    auto& working = settings.working;
    auto& quiz = services_.state.quiz;
    load.step([&] { review_button_->setVisible(on(working.practice_mode)); });
    load.step([&] {
        const bool timed = working.timed_state == timed_code::running;
        for (QWidget* part : std::initializer_list<QWidget*>{time_left_caption_, time_left_, time_separator_})
            part->setVisible(timed);
    });
    load.step([&] {
        quiz.first_page = 1;
        for (int slot = 1; slot <= 6; ++slot) quiz.answer_letters[slot] = std::string(1, static_cast<char>('A' + slot - 1)) + ".\t";
    });
    load.step([&] {
        working.font_size = static_cast<std::int16_t>(
            whole_number_in_range(settings.get(setting::saved_font), INT16_MIN, INT16_MAX));
        working.font_name = settings.get(setting::saved_font_name);
        if (working.font_name != kFontNames[1] && working.font_name != kFontNames[2]) {
            working.font_name = kFontNames[1];
            settings.put(setting::saved_font_name, working.font_name);
        }
    });
    tick_font_menus();
    load.step([&] {
        embed_entry_->setChecked(on(working.embed_media_player));
        show_right_->setChecked(on(working.show_answer_when_right));
        show_wrong_->setChecked(on(working.show_answer_when_wrong));
        show_count_->setChecked(on(working.show_answer_count));
        back_entry_->setChecked(on(working.back_button));
        const std::string position = settings.get(setting::put_answer);
        answer_top_->setChecked(position != "bottom");
        answer_bottom_->setChecked(position == "bottom");
    });
    load.step([&] {
        mail_type_ = settings.get(setting::mail_type);
        mail_program_->setChecked(mail_type_ == kMailProgram);
        web_mail_->setChecked(mail_type_ == kWebMail);
    });
    load.step([&] { services_.state.retake.retake_request = 0; });
    load.step([&] {
        if (quiz.resumed) return;
        quiz.flagged.fill(false);
        quiz.lab_findings.clear();
    });
    load.step([&] {
        const BankState& bank = services_.state.bank;
        whatdoin_->setText(qs("Quiz " + quiz_letter() + "-   " + bank.exam_title + " v" + bank.version_text));
    });
}

void QuizWindow::tick_font_menus() {
    const auto& working = services_.settings.working;
    for (int entry = 1; entry <= 6; ++entry) size_entries_[entry]->setChecked(kFontSizes[entry] == working.font_size);
    for (int entry : {1, 2}) font_entries_[entry]->setChecked(working.font_name == kFontNames[entry]);
}

void QuizWindow::form_activate() {
    const GuardedProcedure activate(services_.log, guard::quiz_activate);
    activate.step([&] {
        if (services_.windows.is_defined(kMainMenu) && !services_.windows.is_loaded(kMainMenu)) services_.windows.load(kMainMenu);
    });
}

void QuizWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QTimer::singleShot(0, this, [this] { form_activate(); });
}

void QuizWindow::show_quest() {
    const GuardedProcedure step(services_.log, guard::show_quest);
    auto& quiz = services_.state.quiz;
    auto& working = services_.settings.working;
    auto& table = services_.state.table;
    const BankState& bank = services_.state.bank;
    AnswerPermutation permutation{};

    // A quiz put back after a restart shows its score so far at once.
    if (quiz.resumed) calculate_score();
    if (!recording_) record_start();
    step.step([&] {
        quiz.from_answer_check = 0;
        cmd_buttons_[0]->setEnabled(true);
        for (QWidget* hidden : std::initializer_list<QWidget*>{cmd_buttons_[2], cmd_buttons_[3], exhibit_button_}) hidden->hide();
        cmd_buttons_[0]->setFocus();
    });
    step.step([&] {
        quiz.single_answer = true;
        quiz_services_.random.reseed_from_clock();
    });
    step.step([&] { ++quiz.quiz_position; });
    step.step([&] { setWindowTitle(qs(question_caption(bank.exam_title, quiz.quiz_position, quiz.quiz_length))); });
    step.step([&] {
        const bool live = on(working.live_scoring);
        for (QWidget* part : std::initializer_list<QWidget*>{gauge_, percent_right_, score_, score_caption_})
            part->setVisible(live);
    });
    step.step([&] {
        if (!on(working.back_button)) cmd_buttons_[1]->hide();
    });
    if (quiz.quiz_position > quiz.quiz_length) {
        end_the_test();
        return;
    }
    step.step([&] { quiz.current_index = static_cast<std::int16_t>(quiz.table_index_at(quiz.quiz_position)); });
    record_progress();
    step.step([&] {
        qid_->setText(qs(blank_led_number(table.at(quiz.current_index).question_id)));
        question_number_->setText(qs(blank_led_number(quiz.quiz_position)));
    });
    step.step([&] { show_flag(); });
    step.step([&] {
        const QuestionRecord& record = table.at(quiz.current_index);
        quiz.answer_count = static_cast<std::int16_t>(count_answers(record));
        permutation = answer_permutation(quiz.answer_count, working.shuffle_answers == 1, record.question_type,
                                         quiz_services_.random);
    });
    step.step([&] {
        quiz.current_question = table.at(quiz.current_index);
        review_button_->setVisible(review_button_visible(quiz.current_question.ref_tag, working.practice_mode));
    });
    step.step([&] { shuffle_once(table.at(quiz.current_index), quiz.current_question, permutation); });
    step.step([&] {
        quiz.correct_count = 0;
        for (int slot = 1; slot <= 6; ++slot)
            if (quiz.current_question.correct[slot] == 1) ++quiz.correct_count;
        if (quiz.correct_count > 1) quiz.single_answer = false;
    });
    step.step([&] { quiz.input_kind = choose_input_kind(quiz.current_question, on(working.radio_buttons), quiz.single_answer); });
    step.step([&] { prepare_exercise_for_question(); });
    step.step([&] { exhibit_button_->setVisible(!quiz.current_question.exhibit_files[1].empty()); });
    step.step([&] { show_page(step); });
    step.step([&] {
        cmd_buttons_[0]->setFocus();
        browser_->focus_page();  // answer keys work at once
    });
    step.step([&] { refresh_navigator(); });
    shown_at_ = quiz_services_.clock.now();
}

void QuizWindow::show_page(const GuardedProcedure& step) {
    auto& working = services_.settings.working;
    std::string page_top = kFallbackPageTop;
    // A missing page-top file is logged, and the question still shows.
    step.step([&] { page_top = q_bottom(services_.state.paths.program_folder); });
    working.font_size = page_font_size(working.font_size);
    const PageSettings page{working.font_size,
                            working.font_name,
                            on(working.show_answer_count),
                            on(working.embed_media_player),
                            services_.state.paths.data_folder,
                            services_.state.bank.product_number};
    set_wow_question_html(page_top + pvhtml_question(services_.state.quiz, page));
}

void QuizWindow::prepare_exercise_for_question() {
    auto& quiz = services_.state.quiz;
    const InputKind kind = quiz.input_kind;
    if (kind == InputKind::drag_drop) cmd_buttons_[3]->show();
    if (kind == InputKind::ms_sim || kind == InputKind::ms_sim2 || kind == InputKind::sim) cmd_buttons_[2]->show();
    for (const std::string& notice : prepare_exercise(kind, quiz.current_question, quiz_services_.working_folder))
        services_.log.append(guard::show_quest.handler, guard::show_quest.source, static_cast<int>(FailureCode::file_access_error),
                             notice);
}

void QuizWindow::set_wow_question_html(const std::string& body) {
    auto& quiz = services_.state.quiz;
    if (quiz.first_page == 1) {
        page_head_ = no_right_click_head();
        silent_step([&] { browser_->navigate(file_url(services_.state.paths.data_folder + "blank.htm")); });
        quiz.first_page = 0;
    }
    silent_step([&] { browser_->write_document(question_document(page_head_, body), services_.state.paths.data_folder); });
    silent_step([&] { browser_->wait_while_busy(); });
    for (const char* which : {"1", "2", "3"})
        silent_step([&] { browser_->hook_click(std::string("Exhibit") + which, [this, which] { HTML_Click(which); }); });
}

void QuizWindow::exhibitbutton_Click(int index) {
    const std::string& file = services_.state.quiz.current_question.exhibit_files[index + 1];
    silent_step([&] {
        if (file.empty() || !services_.windows.is_defined(kExhibitWindow)) return;
        const QRect frame = frameGeometry();
        services_.windows.get<ExhibitWindowOperations>(kExhibitWindow)
            .show_exhibit_beside(services_.state.paths.data_folder, file, {frame.x(), frame.y(), frame.width(), frame.height()});
    });
}

void QuizWindow::Command1_Click() {
    silent_step([&] {
        if (!reviewer_)
            reviewer_ = std::make_unique<ChapterReviewer>(services_.dialogs, quiz_services_.desktop_reader, kProgramTitle);
        reviewer_->review(services_.state.quiz.current_question.ref_tag, services_.state.paths.book_pdf_path);
    });
}

void QuizWindow::flag_question(bool flagged) {
    auto& quiz = services_.state.quiz;
    if (quiz.quiz_position >= 1 && quiz.quiz_position <= quiz.quiz_length)
        quiz.flagged[static_cast<std::size_t>(quiz.quiz_position)] = flagged;
    show_flag();
    record_progress();
}

// The check box and the menu entry show the flag of the question on screen.
void QuizWindow::show_flag() {
    const QuizState& quiz = services_.state.quiz;
    const bool flagged = quiz.flagged_at(quiz.quiz_position);
    const QSignalBlocker quiet_box(flag_box_);
    flag_box_->setChecked(flagged);
    flag_entry_->setChecked(flagged);
    refresh_navigator();
}

void QuizWindow::open_navigator() {
    if (!navigator_) navigator_ = new NavigatorWindow(this, [this](int position) { jump_to(position); });
    navigator_->show();
    refresh_navigator();
    navigator_->raise();
    navigator_->activateWindow();
    navigator_->cells()->setFocus(Qt::OtherFocusReason);
}

void QuizWindow::refresh_navigator() {
    if (!navigator_ || !navigator_->isVisible()) return;
    const auto& working = services_.settings.working;
    const JumpRules rules{on(working.back_button), working.timed_state == 99};
    navigator_->show_cells(navigator_cells(services_.state.quiz, services_.state.table, rules));
}

void QuizWindow::end_and_grade() {
    auto& quiz = services_.state.quiz;
    if (quiz_over_) return;
    const QuizProgress progress = quiz_progress(quiz, services_.state.table);
    if (progress.unanswered > 0) {
        const auto& working = services_.settings.working;
        const std::optional<int> flagged = first_flagged_to_review(quiz,
                                                                   JumpRules{on(working.back_button), working.timed_state == 99});
        std::vector<std::string> choices{"&Yes", "&No"};
        if (flagged) choices.push_back("&Review flagged");
        const QPointer<QuizWindow> alive(this);
        asking_to_end_ = true;
        const int answer = services_.dialogs.choose(end_of_quiz_question(progress), "End and Grade This Quiz", choices, 1);
        if (alive) asking_to_end_ = false;
        // The time may have run out while the question was up: that quiz has ended.
        if (!alive || quiz_over_) return;
        if (answer == 2 && flagged) {
            if (*flagged != quiz.quiz_position) jump_to(*flagged);
            return;
        }
        if (answer != 0) return;
    }
    quiz.quiz_position = static_cast<std::int16_t>(quiz.quiz_length + 1);
    end_the_test();
}

void QuizWindow::jump_to(int position) {
    auto& quiz = services_.state.quiz;
    const auto& working = services_.settings.working;
    if (moving_ || quiz_over_) return;
    if (!jump_allowed(JumpRules{on(working.back_button), working.timed_state == 99}, quiz.quiz_position, position, quiz.quiz_length))
        return;
    // The navigator has done its job; the student goes on in the quiz window.
    if (navigator_) navigator_->hide();
    activateWindow();
    const QPointer<QuizWindow> alive(this);
    moving_ = true;
    leave_for(position);
    if (alive) moving_ = false;
}

void QuizWindow::HTML_Click(const std::string& which) {
    if (which != "1" && which != "2" && which != "3") return;
    const std::string& file = services_.state.quiz.current_question.exhibit_files[which[0] - '0'];
    silent_step([&] { shell_open(services_.shell, services_.state.paths.data_folder + file, ShowMode::normal); });
}

void QuizWindow::capture_answer_from_page() {
    auto& quiz = services_.state.quiz;
    const InputKind kind = quiz.input_kind;
    if (!answered_on_page(kind)) return;
    silent_step(
        [&] { capture_answer(services_.state.table.at(quiz.current_index), kind, quiz.answer_count, browser_->read_form()); });
}

void QuizWindow::next_click() {
    if (moving_) return;  // a second Enter while the page changes
    const QPointer<QuizWindow> alive(this);
    moving_ = true;
    services_.state.quiz.from_answer_check = 1;
    browser_->focus_page();
    capture_answer_from_page();
    go_next();
    if (alive) moving_ = false;
}

void QuizWindow::go_next() {
    const BankState& bank = services_.state.bank;
    silent_step([&] { whatdoin_->setText(qs("Quiz " + quiz_letter() + "      " + bank.exam_title + " v" + bank.version_text)); });
    QPointer<QuizWindow> alive(this);
    check_answer();
    if (alive) show_quest();
}

void QuizWindow::back_click() {
    if (moving_) return;
    const QPointer<QuizWindow> alive(this);
    moving_ = true;
    go_back();
    if (alive) moving_ = false;
}

// Back from the first question shows it again, graded.
void QuizWindow::go_back() { leave_for(std::max(1, services_.state.quiz.quiz_position - 1)); }

void QuizWindow::leave_for(int position) {
    auto& quiz = services_.state.quiz;
    capture_answer_from_page();
    QPointer<QuizWindow> alive(this);
    if (quiz.quiz_position > 0) check_answer();
    if (!alive) return;
    quiz.quiz_position = static_cast<std::int16_t>(position - 1);  // show_quest adds 1
    silent_step([&] {
        if (services_.windows.is_defined(kExhibitWindow)) services_.windows.unload(kExhibitWindow);
    });
    show_quest();
}

void QuizWindow::check_answer() {
    auto& quiz = services_.state.quiz;
    auto& table = services_.state.table;
    const auto& working = services_.settings.working;
    const std::string folder = quiz_services_.working_folder;
    silent_step([&] {
        const ExerciseResults results{[&](const std::string& key) { return router_console_value(folder, key); },
                                      [&] { return take_exercise_result(drag_drop_result_file(folder)); },
                                      [&] { return take_exercise_result(dialog_sim_result_file(folder)); },
                                      [&](const std::string& key) { return router_console_entry(folder, key); }};
        QuestionRecord& record = table.at(quiz.current_index);
        const Grade grade = grade_answer(quiz.current_question, record, results);
        record_grade(quiz, record, grade);
        record_answer(grade);
    });
    // The lab is graded: a console still open for it would go on over the
    // next question with the old task.
    if (quiz.input_kind == InputKind::sim)
        silent_step([&] { close_windows_titled(quiz_services_.top_windows, kRouterConsoleTitleMark); });
    const bool show = (quiz.verdict == verdict_code::right && working.show_answer_when_right == 1) ||
                      (quiz.verdict == verdict_code::wrong && working.show_answer_when_wrong == 1);
    if (show) {
        QPointer<QuizWindow> alive(this);
        silent_step([&] { services_.windows.get<ExplanationWindowOperations>(kExplanationWindow).show_answer(false); });
        if (!alive) return;
    }
    calculate_score();
    count_category_questions();
}

void QuizWindow::calculate_score() {
    silent_step([&] {
        const LiveScore live = qd::calculate_score(services_.state.quiz, services_.state.table);
        score_->setText(qs(live.score_caption));
        const std::string percent = percent_caption(live, QLocale().decimalPoint().at(0).toLatin1());
        if (!percent.empty()) percent_right_->setText(qs(percent));
        gauge_->show_wrong_share(live.wrong_share(), services_.screen.twips_per_pixel_y());
    });
}

void QuizWindow::count_category_questions() {
    silent_step(
        [&] { qd::count_category_questions(services_.state.quiz, services_.state.table, services_.state.bank.category_count); });
}

void QuizWindow::end_the_test() {
    // The results window's load unloads this window; what follows uses only
    // the program's services, which outlive it.
    const ProgramServices services = services_;
    quiz_over_ = true;
    timer1_->stop();
    auto& quiz = services.state.quiz;
    silent_step([&] {
        const SettingKey key = setting::num_times(services.state.bank.product_number);
        // Counted in one step, so a second copy ending a quiz meanwhile loses no count.
        services.settings.change(key, [](const std::string& stored) {
            return std::to_string(whole_number_in_range(stored, 0, setting::kMostQuizzesCounted - 1) + 1);
        });
    });
    quiz.quiz_position = static_cast<std::int16_t>(quiz.quiz_position - 1);
    record_end();
    // A record that cannot be written is logged and told to the student once,
    // after both files were tried: never lost without a word.
    std::vector<std::string> unsaved;
    silent_step([&] {
        const std::string file = results_file_name(services.state.bank.product_number, services.settings.working.student_name);
        services.log.report_planted_link("quest save_missed_flags()", guard::quiz_load.source, file);
        if (auto why = save_missed_flags(quiz.missed_flags, file)) {
            services.log.append("quest save_missed_flags()", guard::quiz_load.source,
                                static_cast<int>(FailureCode::file_access_error), *why);
            unsaved.push_back(file + ": " + *why);
        }
    });
    silent_step([&] {
        if (services.windows.is_loaded(kResultsWindow)) services.windows.unload(kResultsWindow);
        services.windows.show(kResultsWindow);
    });
    silent_step([&] {
        if (auto why = services.windows.get<ResultsWindowOperations>(kResultsWindow).save_history()) unsaved.push_back(*why);
    });
    if (!unsaved.empty())
        silent_step([&] {
            services.dialogs.message(unsaved_record_message(unsaved), kProgramTitle, DialogButtons::ok, DialogIcon::warning);
        });
    silent_step([&] {
        if (services.windows.is_loaded(kQuizWindow)) {
            services.windows.hide(kQuizWindow);
            services.windows.unload(kQuizWindow);
        }
    });
}

void QuizWindow::record_start() {
    recording_ = true;
    if (!services_.recorder) return;
    // A quiz put back after a restart is in the record already.
    if (std::exchange(services_.state.quiz.resumed, false)) return;
    const auto& working = services_.settings.working;
    services_.recorder->quiz_started({working.student_name, services_.state.bank.product_number, services_.state.quiz.quiz_length,
                                      on(working.practice_mode), working.timed_state == 1});
}

void QuizWindow::record_answer(const Grade& grade) {
    if (!services_.recorder) return;
    const QuestionRecord& question = services_.state.quiz.current_question;
    const double seconds = std::chrono::duration<double>(quiz_services_.clock.now() - shown_at_).count();
    services_.recorder->answer_graded(
        {question.question_id, question.category, grade.chosen_letters, grade.verdict == 1, std::max(0.0, seconds)});
}

// The question on screen and everything graded before it, so that the quiz
// can be taken up here after a crash or a close.
void QuizWindow::record_progress() {
    const ProgramState& state = services_.state;
    if (!services_.recorder || !recording_ || state.quiz.quiz_position < 1 || state.quiz.quiz_position > state.quiz.quiz_length)
        return;
    ticks_since_kept_ = 0;
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(quiz_services_.clock.now() - state.setup.time_started);
    silent_step([&] {
        services_.recorder->keep_progress(state.quiz.quiz_position,
                                          quiz_snapshot_text(state, services_.settings.working, state.quiz.quiz_position,
                                                             std::max<std::int64_t>(0, elapsed.count())));
    });
}

void QuizWindow::record_end() {
    if (!services_.recorder || !recording_) return;
    const bool expired = services_.settings.working.timed_state == 99;
    services_.recorder->quiz_ended(expired ? QuizEnding::time_expired : QuizEnding::graded, services_.state.quiz.right_count);
}

void QuizWindow::launch_exercise() {
    const QuestionRecord& question = services_.state.quiz.current_question;
    const std::string& marker = question.diagram_files[1];
    if (marker == "xxxdnd") return launch_dnd();
    if (marker == "xxxmssim") return launch_MSsim();
    if (marker == "xxxmssim2") return launch_MSsim2();
    silent_step([&] {
        const ExerciseStart start = router_console_start(services_.state.paths.program_folder, question);
        quiz_services_.starter.start(start.program, start.arguments, quiz_services_.working_folder);
    });
    focus_next_for_return();
}

void QuizWindow::set_answer_check_enabled(bool enabled) { cmd_buttons_[0]->setEnabled(enabled); }

// When the exercise program closes, the desktop hands the quiz window back
// with its focus where it was: on Next, so Enter grades and moves on instead
// of starting the exercise again.
void QuizWindow::focus_next_for_return() { cmd_buttons_[0]->setFocus(Qt::OtherFocusReason); }

// Starts the exercise program of an input kind; a failure is logged under the
// launch operation's labels and nothing is shown.
void QuizWindow::start_exercise(InputKind input_kind, GuardLabels labels) {
    const auto& state = services_.state;
    GuardedProcedure(services_.log, labels).step([&] {
        const ExerciseStart start = exercise_start(input_kind, state.paths.program_folder, state.bank.product_number,
                                                   state.quiz.current_question);
        if (!quiz_services_.starter.start(start.program, start.arguments, quiz_services_.working_folder))
            throw Failure(FailureCode::file_not_found, "Cannot start " + start.program);
    });
    focus_next_for_return();
}

void QuizWindow::launch_dnd() { start_exercise(InputKind::drag_drop, guard::launch_dnd); }
void QuizWindow::launch_MSsim() { start_exercise(InputKind::ms_sim, guard::launch_mssim); }
void QuizWindow::launch_MSsim2() { start_exercise(InputKind::ms_sim2, guard::launch_mssim); }

void QuizWindow::timer1_timer() {
    auto& working = services_.settings.working;
    if (working.timed_state != timed_code::running) return;
    const GuardedProcedure tick_step(services_.log, guard::quiz_timer);
    const auto& state = services_.state;
    TimerTick tick;
    tick_step.step([&] {
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::seconds>(quiz_services_.clock.now() - state.setup.time_started).count();
        tick = timer_tick(working.time_limit, elapsed, state.bank.exam_title, state.quiz.quiz_position, state.quiz.quiz_length);
    });
    if (tick.expired) {
        show_time_expired();
        return;
    }
    tick_step.step([&] {
        setWindowTitle(qs(tick.caption));
        time_left_->setText(qs(tick.time_label));
    });
    // The time used is kept now and then too, so that a kill gives none back.
    if (++ticks_since_kept_ >= kTicksBetweenKeeps) record_progress();
}

// Time up is a finished quiz: it is counted, its flags saved and its history
// written as for "End and Grade", so the student's attempt is kept.
void QuizWindow::show_time_expired() {
    auto& working = services_.settings.working;
    timer1_->stop();
    QPointer<QuizWindow> alive(this);
    // Time up ends the quiz at once: a question whether to end it is answered.
    if (asking_to_end_)
        if (QWidget* question = QApplication::activeModalWidget()) question->close();
    services_.dialogs.message("Time has expired", QString(windowTitle()).toStdString(), DialogButtons::ok, DialogIcon::none);
    if (!alive) return;
    working.timed_state = timed_code::over;
    services_.state.quiz.quiz_position = static_cast<std::int16_t>(services_.state.quiz.quiz_length + 1);
    end_the_test();
}

void QuizWindow::choose_font_name(int entry) {
    auto& working = services_.settings.working;
    working.font_name = kFontNames[entry][0] ? kFontNames[entry] : "Times New Roman";
    silent_step([&] { services_.settings.put(setting::saved_font_name, working.font_name); });
    tick_font_menus();
    redraw_question();
}

void QuizWindow::choose_font_size(int entry) {
    auto& working = services_.settings.working;
    working.font_size = static_cast<std::int16_t>(kFontSizes[entry]);
    silent_step([&] { services_.settings.put(setting::saved_font, std::to_string(working.font_size)); });
    tick_font_menus();
    redraw_question();
}

void QuizWindow::redraw_question() {
    // Only the page is drawn again, in the new font and with the answer the
    // student has picked so far; the question's shuffle and its exercise
    // files (a finished lab's result among them) stay as they are.
    auto& quiz = services_.state.quiz;
    capture_answer_from_page();
    const QuestionRecord& record = services_.state.table.at(quiz.current_index);
    quiz.current_question.user_choice = record.user_choice;
    quiz.current_question.user_text = record.user_text;
    const GuardedProcedure step(services_.log, guard::show_quest);
    step.step([&] { show_page(step); });
    step.step([&] { browser_->focus_page(); });
}

void QuizWindow::toggle_option(QAction* entry, const SettingKey& key, std::int16_t& working_value, bool blank_led) {
    working_value = on(working_value) ? 0 : 1;
    entry->setChecked(on(working_value));
    silent_step([&] { services_.settings.put(key, blank_led ? blank_led_number(working_value) : std::to_string(working_value)); });
}

void QuizWindow::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && cmd_buttons_[0]->isEnabled()) {
        next_click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The close box in the middle of a quiz leads back to the main menu instead
// of leaving the program running with no window.
void QuizWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (quiz_over_) return;
    quiz_over_ = true;
    WindowRegistry& windows = services_.windows;
    QTimer::singleShot(0, qApp, [&windows] {
        silent_step([&] { windows.unload(kQuizWindow); });
        return_to_main_menu(windows);
    });
}

QuizHandle::QuizHandle(QuizWindow* window, const Screen& screen, WindowRegistry& windows)
    : WidgetWindow(window, screen), window_(window), windows_(windows) {}

void QuizHandle::run_load() {
    if (window_) window_->form_load();
}

void QuizHandle::unload_handling() {
    silent_step([&] {
        if (windows_.is_loaded(kMainMenu)) windows_.unload(kMainMenu);
    });
}

void QuizHandle::show_quest() {
    if (!window_) return;
    if (!window_->isVisible()) show_window();
    window_->show_quest();
}

void QuizHandle::end_the_test() {
    if (window_) window_->end_the_test();
}

void QuizHandle::set_answer_check_enabled(bool enabled) {
    if (window_) window_->set_answer_check_enabled(enabled);
}

std::unique_ptr<ManagedWindow> create_quiz_window(ProgramServices services, QuizWindowServices quiz_services) {
    auto* window = new QuizWindow(services, std::move(quiz_services));
    return std::make_unique<QuizHandle>(window, services.screen, services.windows);
}

}  // namespace qd
