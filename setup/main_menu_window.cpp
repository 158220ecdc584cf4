#include "setup/main_menu_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "common/guarded_steps.h"
#include "common/list_width.h"
#include "common/module1.h"
#include "common/program_title.h"
#include "flashcards/drill_screen_rules.h"
#include "flashcards/screen_saver_registration.h"
#include "platform/qt/accessible_button.h"
#include "platform/qt/colour_palette.h"
#include "platform/text_forms.h"
#include "results/progress_window.h"
#include "setup/category_choice.h"
#include "setup/drill_settings.h"
#include "setup/history_commands.h"
#include "setup/quiz_resume.h"
#include "setup/settings_commands.h"
#include "setup/weak_areas_quiz.h"

namespace qd {
namespace {

constexpr int kMinimumWidthTwips = 9780;
constexpr int kMinimumHeightTwips = 6795;
constexpr int kBrowserWarmUpDelayMs = 400;
// The name goes into the student's file names; forty characters name anyone.
constexpr int kLongestStudentName = 40;
// The time spinner shows 200 minus its position; it starts at 170 while the
// box reads 75, so its first step shows 29 or 31.
constexpr int kSpinnerStart = 170;

struct ExamOption {
    const char* caption;        // the option itself
    const char* start_caption;  // the start button after a click
    const char* note;           // the Select Categories tab's note, or nullptr to leave it
    const char* description;
};

const std::array<ExamOption, 7> kExamOptions{{
    {"", "", nullptr, ""},
    {"NAVRA VIZIZ Exam", "NAVRA VIZIZ Exam", "Note:  Questions will be asked from the NAVRA VIZIZ Exam.",
     "Multiple choice and simulation questions for the NAVRA VIZIZ exam"},
    {"NAVRA ORLIN Exam", "NAVRA ORLIN Exam", "Note:  Questions will be asked from the NAVRA ORLIN Exam",
     "Multiple choice and simulation questions for the NAVRA ORLIN exam"},
    {"Full NAVRA Exam", "Full NAVRA Exam", "Note:  Questions will be asked from the Full NAVRA Exam",
     "Multiple choice and simulation questions for the combined NAVRA exam"},
    {"Quiz &D", "Start Quiz -D-", nullptr, ""},
    {"Ask ALL Questions", "Final Exam", nullptr, ""},
    {"Final Exam", "Final Exam", nullptr, ""},
}};

template <class Widget>
Widget* named(Widget* widget, const char* name, const char* tip = nullptr) {
    widget->setObjectName(name);
    if (tip) widget->setToolTip(tip);
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const char* tip = nullptr) {
    QPushButton* made = make_button(parent, name, caption, EnterKey::presses_button);
    if (tip) made->setToolTip(tip);
    return made;
}

QCheckBox* check_box(QWidget* parent, const char* name, const char* caption, const char* tip = nullptr) {
    return named(new QCheckBox(caption, parent), name, tip);
}

std::string text_of(const QLabel* label) { return label->text().toStdString(); }

}  // namespace

MainMenuWindow::MainMenuWindow(ProgramServices services, Random& random, const Clock& clock)
    : services_(services),
      random_(random),
      quiz_world_{services.state.table,
                  services.state.bank,
                  services.state.quiz,
                  services.state.setup,
                  services.state.retake,
                  services.settings,
                  services.dialogs,
                  random,
                  clock,
                  services.windows,
                  services.screen,
                  [this](bool busy) { set_busy_pointer(busy); },
                  services.log.notices_for(guard::quiz_start_files.handler, guard::quiz_start_files.source)} {
    setObjectName("pick_a_quiz");
    setWindowTitle(kMainMenuTitle);
    tabs_ = named(new QTabWidget(this), "SSTab1");
    tabs_->addTab(build_general_tab(), "General");
    tabs_->addTab(build_advanced_tab(), "Advanced Options");
    tabs_->addTab(build_categories_tab(), "Select Categories");
    tabs_->addTab(build_drill_tab(), "Drillscreen");
    setCentralWidget(tabs_);
    build_menu_bar();
    setMinimumSize(px_x(kMinimumWidthTwips), px_y(kMinimumHeightTwips));
    resize(minimumSize());
}

QWidget* MainMenuWindow::build_general_tab() {
    auto* page = named(new QWidget, "General");
    auto* layout = new QGridLayout(page);

    auto* choice = named(new QGroupBox("Select a Quiz", page), "fraSelectQuiz");
    auto* choice_layout = new QGridLayout(choice);
    for (int i = 1; i <= 6; ++i) {
        const std::string name = "which_quiz_" + std::to_string(i);
        which_quiz_[i] = named(new QRadioButton(kExamOptions[i].caption, choice), name.c_str());
        if (i <= 3) {
            which_quiz_[i]->setToolTip("Each Quiz contains 50 Questions");
            const std::string label_name = "lblINTRO_book_" + std::to_string(i - 1);
            auto* description = named(new QLabel(kExamOptions[i].description, choice), label_name.c_str());
            description->setWordWrap(true);
            choice_layout->addWidget(which_quiz_[i], i - 1, 0);
            choice_layout->addWidget(description, i - 1, 1);
        } else {
            which_quiz_[i]->hide();  // designed, never shown
        }
    }
    which_quiz_[1]->setChecked(true);  // as designed, before any click handling
    for (int i = 1; i <= 6; ++i)
        connect(which_quiz_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) silent_step([&] { exam_option_click(i); });
        });
    choice_layout->setColumnStretch(1, 1);
    layout->addWidget(choice, 0, 0, 1, 3);

    start_button_ = button(page, "Command1", "NAVRA VIZIZ Quiz", "Starts the actual quiz");
    connect(start_button_, &QPushButton::clicked, this, [this] {
        silent_step([&] { services_.state.setup.category_quiz = flag_code::clear; });
        start_the_quiz_from_command1();
    });
    // The weak-areas quiz beside it, of the length chosen below it.
    weak_button_ = button(page, "cmd_weak_areas", "Weak &Areas Quiz",
                          "Asks the questions you missed most recently, then the chapters you know least, from your study record.");
    connect(weak_button_, &QPushButton::clicked, this, [this] { weak_areas_quiz(); });
    auto* starts = new QHBoxLayout;
    starts->addWidget(start_button_);
    starts->addWidget(weak_button_);
    starts->addStretch(1);
    layout->addLayout(starts, 1, 0);
    layout->addWidget(named(new QLabel("Total Questions:", page), "Label6"), 1, 1, Qt::AlignRight);
    howmany_ = named(new QLabel(page), "howmany");
    layout->addWidget(howmany_, 1, 2);

    auto* weak_length = named(new QGroupBox("Weak areas quiz length", page), "fraWeakLength");
    auto* weak_layout = new QHBoxLayout(weak_length);
    for (std::size_t i = 0; i < kWeakAreaLengths.size(); ++i) {
        const std::string name = "weak_length_" + std::to_string(kWeakAreaLengths[i]);
        weak_lengths_[i] = named(new QRadioButton(QString("%1 questions").arg(kWeakAreaLengths[i]), weak_length), name.c_str());
        weak_layout->addWidget(weak_lengths_[i]);
    }
    weak_lengths_[0]->setChecked(true);
    weak_layout->addStretch(1);
    layout->addWidget(weak_length, 2, 0, 1, 3);

    auto* name_label = named(new QLabel("Enter Your Name:", page), "Label7");
    name_box_ = named(new QLineEdit("STUDENT", page), "txtstudentname", "Type your name here to keep a record of your scores");
    name_label->setBuddy(name_box_);
    name_box_->setAccessibleName("Enter Your Name:");
    name_box_->setMaxLength(kLongestStudentName);
    connect(name_box_, &QLineEdit::textChanged, this,
            [this](const QString& text) { services_.settings.working.student_name = text.toStdString(); });
    layout->addWidget(name_label, 3, 0);
    layout->addWidget(name_box_, 3, 1, 1, 2);

    auto* reset = button(page, "cmd_reset_user_history", "Reset &User History", "This will clear the students history.");
    connect(reset, &QPushButton::clicked, this, [this] { reset_history(); });
    auto* save = button(page, "savesettings", "Sa&ve Settings", "This will remember your settings for next time.");
    connect(save, &QPushButton::clicked, this, [this] { save_settings(); });
    layout->addWidget(reset, 4, 0);
    layout->addWidget(save, 4, 2);

    auto* picture = named(new QLabel("NAVRA\nPRACTICE EXAMS", page), "Image1");
    picture->setAlignment(Qt::AlignCenter);
    picture->setStyleSheet("background: #0b2545; color: #ffcc00; font-weight: bold; padding: 6px;");
    picture->setMaximumHeight(px_y(1500));
    layout->addWidget(picture, 5, 0, 1, 3);

    // The designed question-count group and the retake box, never shown.
    auto* ask_group = named(new QGroupBox("Ask", page), "fraAsk");
    auto* ask_layout = new QHBoxLayout(ask_group);
    howmanyq_ = named(new QLabel(ask_group), "howmanyq");
    auto* spinner = named(new QScrollBar(Qt::Vertical, ask_group), "VScroll2");
    ask_layout->addWidget(howmanyq_);
    ask_layout->addWidget(named(new QLabel("&Questions", ask_group), "lblQuestions"));
    ask_layout->addWidget(spinner);
    ask_layout->addWidget(named(new QLabel("OR", ask_group), "lblOr"));
    askwrong_ = check_box(page, "askwrong", "Only ask qu&estions answered incorrectly last time.");
    layout->addWidget(ask_group, 5, 0);
    layout->addWidget(askwrong_, 5, 1, 1, 2);
    ask_group->hide();
    askwrong_->hide();
    layout->setRowStretch(6, 1);
    return page;
}

QGroupBox* MainMenuWindow::box_group(QWidget* page, const char* name, const char* caption, std::initializer_list<BoxSpec> boxes) {
    auto* group = named(new QGroupBox(caption, page), name);
    auto* layout = new QVBoxLayout(group);
    for (const BoxSpec& box : boxes) {
        *box.member = check_box(group, box.name, box.caption, box.tip);
        layout->addWidget(*box.member);
    }
    return group;
}

QWidget* MainMenuWindow::build_advanced_tab() {
    auto* page = named(new QWidget, "Advanced Options");
    auto* layout = new QGridLayout(page);

    auto* timer = named(new QGroupBox("Timer Options:", page), "fraTimer");
    auto* timer_layout = new QHBoxLayout(timer);
    const char* time_tip = "Limits the amount of time you have to take the quiz.";
    timeron_ = check_box(timer, "timeron", "&Timed Quiz", time_tip);
    timeamount_ = named(new QLineEdit("75", timer), "timeamount", time_tip);
    timeamount_->setAccessibleName("Time limit in minutes");
    timeamount_->setMaximumWidth(px_x(900));
    time_spinner_ = named(new QScrollBar(Qt::Vertical, timer), "VScroll1");
    time_spinner_->setRange(0, 199);
    time_spinner_->setValue(kSpinnerStart);
    time_spinner_->setAccessibleName("Change the time limit");
    timeamountlabel_ = named(new QLabel("min.", timer), "timeamountlabel");
    timer_layout->addWidget(timeron_);
    timer_layout->addWidget(timeamount_);
    timer_layout->addWidget(time_spinner_);
    timer_layout->addWidget(timeamountlabel_);
    timer_layout->addStretch();
    connect(timeron_, &QCheckBox::toggled, this, [this](bool on) { silent_step([&] { timed_quiz_click(on); }); });
    connect(time_spinner_, &QScrollBar::valueChanged, this,
            [this](int position) { timeamount_->setText(QString::number(std::abs(200 - position))); });

    auto* show = box_group(
        page, "fraShowAnswers", "Show Correct Answers When I'm",
        {{&answer_when_wrong_, "answer_when_wrong", "&Wrong", "Displays answer and explanation when question is answered wrong."},
         {&answer_when_right_, "answer_when_right", "&Right", "Displays answer and explanation when question is answered right."}});
    auto* randomize = box_group(
        page, "fraRandom", "Randomization Options",
        {{&random_questions_, "random_questions", "Q&uestions", "Randomizes the order in which the questions are asked."},
         {&random_answers_, "random_answers", "A&nswers", "Randomizes the order that the answers are displayed."}});
    auto* other = box_group(
        page, "fraOther", "Other Options",
        {{&show_answer_count_, "showhowmanyanswers", "Show &# of Answers",
          "Tells you the number of correct answers for a question."},
         {&scoregraph_, "scoregraph", "L&ive Scoring", "Shows you your percentage correct as you take the quiz."},
         {&backb_, "backb", "Bac&k Button", "Allows you to review previously asked questions."},
         {&embed_, "chkEmbed", "&Embed Media Player for Online Tutor Files", nullptr}});
    embed_->hide();

    auto* radio_label = named(new QLabel("Use Radio Buttons for Single Answer Questions", page), "lblRadio");
    radio_ = check_box(page, "chkRadio", "Yes");
    radio_->setAccessibleDescription("Use Radio Buttons for Single Answer Questions");
    connect(radio_, &QCheckBox::toggled, this,
            [this](bool on) { services_.settings.working.radio_buttons = on ? flag_code::set : flag_code::clear; });
    auto* save = button(page, "cmdSaveSet", "Sa&ve Settings", "This will remember your settings for next time.");
    connect(save, &QPushButton::clicked, this, [this] { save_settings(); });

    auto* practice = button(page, "restore_defaults", "&Practice Mode (default)",
                            "Shows full answer, allows back button and is not timed.");
    auto* test = button(page, "Command2", "Test &Mode", "Simulates the real exam environment.");
    auto* cards = button(page, "cmd_flashcards", "Flash Cards",
                         "This presents the question in a flash card format, without displaying the answers.");
    connect(practice, &QPushButton::clicked, this, [this] { practice_mode(); });
    connect(test, &QPushButton::clicked, this, [this] { test_mode(); });
    connect(cards, &QPushButton::clicked, this, [this] { flash_cards(); });

    layout->addWidget(timer, 0, 0, 1, 2);
    layout->addWidget(show, 1, 0);
    layout->addWidget(randomize, 1, 1);
    layout->addWidget(other, 2, 0);
    auto* radio_row = new QHBoxLayout;
    radio_row->addWidget(radio_label);
    radio_row->addWidget(radio_);
    auto* right_column = new QVBoxLayout;
    right_column->addLayout(radio_row);
    right_column->addWidget(save);
    right_column->addStretch();
    layout->addLayout(right_column, 2, 1);
    auto* presets = new QHBoxLayout;
    presets->addWidget(practice);
    presets->addWidget(test);
    presets->addWidget(cards);
    layout->addLayout(presets, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);

    // The boxes as designed: the Practice Mode states.
    apply_choices(MenuChoices{});
    timed_quiz_click(false);
    return page;
}

QWidget* MainMenuWindow::build_categories_tab() {
    auto* page = named(new QWidget, "Select Categories");
    auto* layout = new QGridLayout(page);
    ask_list_ = named(new QListWidget(page), "lst_cats_to_ask");
    skip_list_ = named(new QListWidget(page), "lst_cats_not_to_ask");
    auto* ask_label = named(new QLabel("Categories to Ask:", page), "lblCatsToAsk");
    auto* skip_label = named(new QLabel("Categories NOT to Ask:", page), "lblCatsNotToAsk");
    ask_list_->setAccessibleName("Categories to Ask:");
    skip_list_->setAccessibleName("Categories NOT to Ask:");
    for (QListWidget* list : {ask_list_, skip_list_}) list->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* add = button(page, "cmd_add_cat", "<", "Ask the selected categories");
    auto* remove = button(page, "cmd_remove_cat", ">", "Do not ask the selected categories");
    auto* add_all = button(page, "cmd_add_all_cat", "<<", "Ask every category");
    auto* remove_all = button(page, "cmd_remove_all_cat", ">>", "Ask no category");
    // The arrows say where the chapters go; the names say what the buttons do.
    add->setAccessibleName("Add the selected chapters");
    remove->setAccessibleName("Remove the selected chapters");
    add_all->setAccessibleName("Add all chapters");
    remove_all->setAccessibleName("Remove all chapters");
    auto add_then_fit = [this] {
        silent_step([&] { add_the_cats(); });
        silent_step([&] { fit_list_width(*ask_list_, services_.screen); });
    };
    auto remove_then_fit = [this] {
        silent_step([&] { remove_the_cats(); });
        silent_step([&] { fit_list_width(*skip_list_, services_.screen); });
    };
    connect(add, &QPushButton::clicked, this, add_then_fit);
    connect(skip_list_, &QListWidget::itemDoubleClicked, this, add_then_fit);
    connect(remove, &QPushButton::clicked, this, remove_then_fit);
    connect(ask_list_, &QListWidget::itemDoubleClicked, this, remove_then_fit);
    connect(add_all, &QPushButton::clicked, this, [this] {
        silent_step([&] { move_all(*skip_list_, *ask_list_); });
        silent_step([&] { fit_list_width(*ask_list_, services_.screen); });
    });
    connect(remove_all, &QPushButton::clicked, this, [this] {
        silent_step([&] { move_all(*ask_list_, *skip_list_); });
        silent_step([&] { fit_list_width(*skip_list_, services_.screen); });
    });
    auto* start = button(page, "cmd_start_cat_quiz", "Start Quiz, Asking Only Questions in Selected Categories");
    connect(start, &QPushButton::clicked, this, [this] { start_category_quiz(); });
    category_note_ = named(new QLabel("Note:  Questions will be asked from your selected quiz.", page), "Label4");

    // Tab follows the layout: the ask list, the move buttons, the skip list, the start.
    set_tab_order({ask_list_, add, remove, add_all, remove_all, skip_list_, start});

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* b : {add, remove, add_all, remove_all}) moves->addWidget(b);
    moves->addStretch();
    layout->addWidget(ask_label, 0, 0);
    layout->addWidget(skip_label, 0, 2);
    layout->addWidget(ask_list_, 1, 0);
    layout->addLayout(moves, 1, 1);
    layout->addWidget(skip_list_, 1, 2);
    layout->addWidget(category_note_, 2, 0, 1, 3);
    layout->addWidget(start, 3, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 1);
    return page;
}

QWidget* MainMenuWindow::build_drill_tab() {
    auto* page = named(new QWidget, "Drillscreen");
    auto* layout = new QGridLayout(page);
    drill_random_ = check_box(page, "chkRandom", "Randomize Questions");
    auto add_delay = [&](const char* name, const char* caption, int value, int row) {
        auto* label = new QLabel(caption, page);
        auto* delay = named(new QSpinBox(page), name);
        delay->setRange(kShortestDelay, kLongestDelay);  // an up-down never goes below 1
        delay->setValue(value);
        delay->setMaximumWidth(px_x(1200));
        delay->setAccessibleName(QString(caption).remove('&'));
        label->setBuddy(delay);
        layout->addWidget(label, row, 0);
        layout->addWidget(delay, row, 1);
        return delay;
    };
    layout->addWidget(drill_random_, 0, 0, 1, 2);
    answer_delay_ = add_delay("lbldisplayans", "Seconds before the &answers show:", 3, 1);
    highlight_delay_ = add_delay("lbldisplaycorr", "Seconds before the right answers &light up:", 6, 2);
    auto* save = button(page, "cmdok", "Save Configuration");
    connect(save, &QPushButton::clicked, this, [this] { save_drill_configuration(); });
    layout->addWidget(save, 3, 0);

    auto* set_default = button(page, "cmdSet", " Set as &DEFAULT Screen Saver ",
                               "Show this exam's drill screen as your screen saver");
    connect(set_default, &QPushButton::clicked, this, [this] { set_as_screen_saver(); });
    // The link runs the same operation; a hand pointer shows it is one.
    auto* link = named(new QLabel("<a href=\"#\">Make This Test Your Screensaver</a>", page), "Label12");
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setCursor(Qt::PointingHandCursor);
    link->setAccessibleName("Make This Test Your Screensaver");
    connect(link, &QLabel::linkActivated, this, [this] { set_as_screen_saver(); });
    layout->addWidget(set_default, 4, 0);
    layout->addWidget(link, 4, 1);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(2, 1);
    return page;
}

void MainMenuWindow::build_menu_bar() {
    auto add = [this](QMenu* menu, const char* name, const char* caption, void (MainMenuWindow::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnu_file");
    add(file, "mnu_savesettings", "Save Settings", &MainMenuWindow::save_settings);
    build_colour_menu(*file);
    add(file, "menu_exit", "E&xit Program", &MainMenuWindow::exit_program);
    QMenu* history = menuBar()->addMenu("Histor&y");
    history->setObjectName("mnu_history");
    add(history, "mnu_viewtestscorehistory", "View Test Score History", &MainMenuWindow::view_history);
    add(history, "mnu_resetuserhistory", "Reset User History", &MainMenuWindow::reset_history);
    add(history, "mnu_progress", kProgressCaption, &MainMenuWindow::progress);
    QMenu* mode = menuBar()->addMenu("Testing M&ode");
    mode->setObjectName("mnu_testingmode");
    add(mode, "mnu_simulatormode", "Test Mode", &MainMenuWindow::test_mode);
    add(mode, "mnu_learningmode", "Practice (default)", &MainMenuWindow::practice_mode);
    add(mode, "mnu_weakareas", "Weak Areas Quiz", &MainMenuWindow::weak_areas_quiz);
    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnu_help");
    add(help, "mnu_contents", "&Contents", &MainMenuWindow::contents);
}

// Colours: the desktop's scheme, or always light, or always dark; the choice
// is stored and takes effect at once in every window and later page.
void MainMenuWindow::build_colour_menu(QMenu& file) {
    QMenu* colours = file.addMenu("&Colours");
    colours->setObjectName("mnu_colours");
    auto* group = new QActionGroup(colours);
    const ColourChoice stored = colour_choice_from_text(services_.settings.get(setting::colour_scheme));
    const std::pair<ColourChoice, const char*> entries[] = {
        {ColourChoice::system, "&System"}, {ColourChoice::light, "&Light"}, {ColourChoice::dark, "&Dark"}};
    for (const auto& [choice, caption] : entries) {
        QAction* action = colours->addAction(caption);
        action->setObjectName(QString("mnu_colours_") + colour_choice_text(choice));
        action->setCheckable(true);
        action->setChecked(choice == stored);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, choice = choice] {
            silent_step([&] { services_.settings.put(setting::colour_scheme, colour_choice_text(choice)); });
            apply_colour_choice(choice);
        });
    }
}

MenuChoices MainMenuWindow::read_choices() const {
    MenuChoices boxes;
    boxes.answer_when_wrong = answer_when_wrong_->isChecked();
    boxes.answer_when_right = answer_when_right_->isChecked();
    boxes.timed_quiz = timeron_->isChecked();
    boxes.random_questions = random_questions_->isChecked();
    boxes.random_answers = random_answers_->isChecked();
    boxes.live_scoring = scoregraph_->isChecked();
    boxes.back_button = backb_->isChecked();
    boxes.show_answer_count = show_answer_count_->isChecked();
    boxes.embed_media_player = embed_->isChecked();
    boxes.radio_buttons = radio_->isChecked();
    boxes.ask_wrong = askwrong_->isChecked();
    boxes.time_text = timeamount_->text().toStdString();
    boxes.name_text = name_box_->text().toStdString();
    boxes.question_count_text = text_of(howmanyq_);
    boxes.total_text = text_of(howmany_);
    boxes.exam_option = 0;
    for (int i = 1; i <= 6; ++i)
        if (which_quiz_[i]->isChecked()) boxes.exam_option = i;
    return boxes;
}

// Setting a box runs its click handling, as a tick by the user would.
void MainMenuWindow::apply_choices(const MenuChoices& boxes) {
    answer_when_wrong_->setChecked(boxes.answer_when_wrong);
    answer_when_right_->setChecked(boxes.answer_when_right);
    timeron_->setChecked(boxes.timed_quiz);
    random_questions_->setChecked(boxes.random_questions);
    random_answers_->setChecked(boxes.random_answers);
    scoregraph_->setChecked(boxes.live_scoring);
    backb_->setChecked(boxes.back_button);
    show_answer_count_->setChecked(boxes.show_answer_count);
    embed_->setChecked(boxes.embed_media_player);
    radio_->setChecked(boxes.radio_buttons);
    askwrong_->setChecked(boxes.ask_wrong);
    timeamount_->setText(QString::fromStdString(boxes.time_text));
    // A name stored before the box had its limit keeps every character, so the
    // student's files are still found; new typing stays within the limit.
    const QString name = QString::fromStdString(boxes.name_text);
    name_box_->setMaxLength(std::max(kLongestStudentName, static_cast<int>(name.size())));
    name_box_->setText(name);
}

void MainMenuWindow::form_load() {
    ProgramState& state = services_.state;
    const GuardedProcedure load(services_.log, guard::main_menu_load);
    load.step([&] {
        state.quiz.order_stride = 4;
        state.setup.total_questions = state.bank.question_count;
    });
    load.step([&] { tabs_->setTabEnabled(2, state.bank.categories_enabled != 0); });
    load.step([&] { state.table.reset_run_fields(); });
    load.step([&] { random_.reseed_from_clock(); });
    bool saved = false;
    load.step([&] {
        MenuChoices boxes = read_choices();
        saved = load_user_settings(services_.settings, boxes, load);
        apply_choices(boxes);
    });
    load.step([&] { howmanyq_->setText(QString::number(state.quiz.quiz_length)); });
    load.step([&] { howmany_->setText(QString::number(state.setup.total_questions)); });
    load.step([&] {
        MenuChoices boxes = read_choices();
        load_saved_options(services_.settings, boxes, load, saved);
        apply_choices(boxes);
    });
    load.step([&] {
        const bool timed = timeron_->isChecked();
        for (QWidget* widget :
             {static_cast<QWidget*>(timeamount_), static_cast<QWidget*>(timeamountlabel_), static_cast<QWidget*>(time_spinner_)})
            widget->setVisible(timed);
    });
    load.step([&] { state.setup.retake_in_progress = 0; });
    const std::int16_t retake = state.retake.retake_request;
    if (retake >= 1) {
        load.step([&] { state.setup.retake_in_progress = 1; });
        load.step([&] {
            if (retake > 6) throw Failure(FailureCode::index_out_of_range, "No exam option " + std::to_string(retake));
            which_quiz_[static_cast<std::size_t>(retake)]->setChecked(true);
        });
        load.step([&] { askwrong_->setChecked(true); });
        load.step([&] { start_the_quiz_from_command1(); });
        load.step([&] { state.retake.retake_request = 0; });
    }
}

void MainMenuWindow::activate() {
    const GuardedProcedure activation(services_.log, guard::main_menu_activate);
    activation.step([&] { fill_category_lists(); });
    activation.step([&] { fill_category_lists(); });  // designed twice; the second pass changes nothing
    activation.step([&] { start_button_->setFocus(); });
    activation.step([&] { fit_list_width(*ask_list_, services_.screen); });
    activation.step([&] { fit_list_width(*skip_list_, services_.screen); });
}

// The window's activation is its coming on screen: when the program starts,
// and when the student comes back from a quiz or the flash cards. Switching
// to another program and back, or closing a message box, is none, so the
// categories picked for the next quiz stay picked.
void MainMenuWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    activate();
}

void MainMenuWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) warm_up_browser();
    QMainWindow::changeEvent(event);
}

// The quiz window's browser starts while the student chooses, once the main
// menu is on screen, so neither this window nor the first question waits for it.
void MainMenuWindow::warm_up_browser() {
    if (browser_warmed_ || !services_.browsers) return;
    browser_warmed_ = true;
    QTimer::singleShot(kBrowserWarmUpDelayMs, this, [this] { silent_step([&] { services_.browsers->warm_up(); }); });
}

void MainMenuWindow::closeEvent(QCloseEvent* event) {
    // Closing the main menu closes the start window, whose release ends the program.
    event->ignore();
    silent_step([&] { services_.windows.unload(kStartWindow); });
}

// A quiz of the chosen length drawn from the study record, asked as a retake
// is: in the order chosen, through the normal quiz, results and history.
void MainMenuWindow::weak_areas_quiz() {
    if (!may_start_new_quiz()) return;
    auto& state = services_.state;
    int length = kWeakAreaLengths[0];
    for (std::size_t i = 0; i < kWeakAreaLengths.size(); ++i)
        if (weak_lengths_[i]->isChecked()) length = kWeakAreaLengths[i];
    const std::string student = stored_student_name(name_box_->text().toStdString());
    WeakAreasQuiz quiz;
    silent_step([&] {
        const std::vector<PastAnswer> answers = services_.recorder
                                                    ? services_.recorder->past_answers(student, state.bank.product_number)
                                                    : std::vector<PastAnswer>{};
        quiz = weak_areas_quiz_of(state.table, state.bank.question_count, answers, length, random_);
    });
    if (quiz.table_indices.empty()) return;
    if (quiz.random)
        silent_step([&] {
            services_.dialogs.message(weak_areas_random_message(student, length), kProgramTitle, DialogButtons::ok,
                                      DialogIcon::information);
        });
    silent_step([&] {
        RetakeHandover& retake = state.retake;
        retake.missed_count = static_cast<std::int16_t>(quiz.table_indices.size());
        for (std::size_t i = 0; i < quiz.table_indices.size(); ++i)
            retake.missed_ids.at(i + 1) = static_cast<std::int16_t>(quiz.table_indices[i]);
        state.setup.category_quiz = 0;
        state.setup.retake_in_progress = 1;
    });
    MenuChoices boxes = read_choices();
    boxes.ask_wrong = true;  // the order is kept as chosen
    qd::start_the_quiz_from_command1(boxes, quiz_world_);
}

void MainMenuWindow::start_the_quiz_from_command1() {
    if (!may_start_new_quiz()) return;
    qd::start_the_quiz_from_command1(read_choices(), quiz_world_);
}

bool MainMenuWindow::may_start_new_quiz() {
    bool may = true;
    silent_step([&] {
        may = may_put_aside_open_quiz(services_.recorder, stored_student_name(name_box_->text().toStdString()),
                                      services_.state.bank.product_number, services_.dialogs);
    });
    return may;
}

std::optional<ResumeRefusal> MainMenuWindow::resume_quiz(std::int64_t id, const std::string& progress) {
    if (!services_.recorder) return ResumeRefusal{"no study record is kept"};
    return resume_kept_quiz(id, progress, quiz_world_, *services_.recorder);
}

void MainMenuWindow::exam_option_click(int option) {
    const ExamOption& exam = kExamOptions.at(static_cast<std::size_t>(option));
    silent_step([&] { start_button_->setText(exam.start_caption); });
    if (exam.note) silent_step([&] { category_note_->setText(exam.note); });
    if (option <= 3) {
        silent_step([&] { load_exam_bank(option, services_.state.table, services_.state.bank); });
        silent_step([&] { howmany_->setText(QString::number(services_.state.bank.question_count)); });
        silent_step([&] { fill_category_lists(); });
        silent_step([&] { fill_category_lists(); });
    } else if (option == 4) {
        silent_step([&] { howmanyq_->setText(QString::number(services_.state.quiz.quiz_length)); });
    } else {
        silent_step([&] { howmanyq_->setText(howmany_->text()); });
    }
}

void MainMenuWindow::timed_quiz_click(bool ticked) {
    timeamount_->setVisible(ticked);
    timeamountlabel_->setVisible(ticked);
    time_spinner_->setVisible(false);
}

void MainMenuWindow::fill_category_lists() {
    ask_list_->clear();
    skip_list_->clear();
    for (const std::string& name : category_list(services_.state.bank)) ask_list_->addItem(QString::fromStdString(name));
}

// Moves the selected entries to the end of the other list, in list order.
static void move_selected(QListWidget& from, QListWidget& to) {
    for (int i = 0; i < from.count();) {
        if (!from.item(i)->isSelected()) {
            ++i;
            continue;
        }
        to.addItem(from.item(i)->text());
        delete from.takeItem(i);
    }
    from.setFocus();
}

void MainMenuWindow::add_the_cats() { move_selected(*skip_list_, *ask_list_); }

void MainMenuWindow::remove_the_cats() { move_selected(*ask_list_, *skip_list_); }

void MainMenuWindow::move_all(QListWidget& from, QListWidget& to) {
    while (from.count() > 0) {
        to.addItem(from.item(0)->text());
        delete from.takeItem(0);
    }
    to.setFocus();
}

void MainMenuWindow::save_settings() { savesettings_Click(read_choices(), services_.settings, services_.dialogs); }

void MainMenuWindow::practice_mode() {
    MenuChoices boxes = read_choices();
    restore_defaults_Click(boxes, services_.settings.working);
    apply_choices(boxes);
    silent_step(
        [&] { services_.dialogs.message(kPracticeModeMessage, kPracticeModeCaption, DialogButtons::ok, DialogIcon::information); });
}

void MainMenuWindow::test_mode() {
    MenuChoices boxes = read_choices();
    Command2_Click(boxes, services_.settings.working);
    apply_choices(boxes);
    silent_step([&] { services_.dialogs.message(kTestModeMessage, kProgramTitle, DialogButtons::ok, DialogIcon::information); });
}

void MainMenuWindow::flash_cards() {
    silent_step([&] {
        services_.dialogs.message(
            "Flash Cards show you ONLY the question (no possible answers, exhibits, or diagrams).  NOTE:  Some "
            "questions may not make sense in this mode, which may require the use of regular testing mode.",
            "Flash Cards", DialogButtons::ok, DialogIcon::information);
    });
    // Without the flash-card window the student stays here rather than facing no window.
    if (!services_.windows.is_defined(kFlashCardWindow)) return;
    silent_step([&] { services_.windows.show(kFlashCardWindow); });
    silent_step([&] { services_.windows.unload(kMainMenu); });
}

void MainMenuWindow::exit_program() {
    DialogAnswer answer = DialogAnswer::yes;
    silent_step([&] {
        answer = services_.dialogs.message("Are you sure you want to exit the program?", "Exit Program?", DialogButtons::yes_no,
                                           DialogIcon::question);
    });
    if (answer != DialogAnswer::no) services_.process_end.end_process();
}

void MainMenuWindow::contents() {
    shell_open(services_.shell, help_document(services_.state.paths.program_folder), ShowMode::normal);
}

void MainMenuWindow::view_history() {
    silent_step([&] {
        view_test_score_history(services_.state.bank.product_number, stored_student_name(services_.settings.working.student_name),
                                services_.dialogs, services_.shell);
    });
}

void MainMenuWindow::progress() {
    silent_step([&] { show_progress(services_, stored_student_name(name_box_->text().toStdString())); });
}

void MainMenuWindow::reset_history() {
    silent_step([&] {
        reset_user_history(services_.state.bank.product_number, stored_student_name(services_.settings.working.student_name),
                           services_.state.quiz.missed_flags, services_.dialogs);
    });
}

void MainMenuWindow::start_category_quiz() {
    ProgramState& state = services_.state;
    silent_step([&] { which_quiz_[5]->setChecked(true); });
    silent_step([&] { askwrong_->setChecked(false); });
    silent_step([&] { state.setup.category_quiz = flag_code::set; });
    silent_step([&] { std::fill(state.setup.category_selected.begin() + 1, state.setup.category_selected.begin() + 51, 0); });
    if (ask_list_->count() == 0) {
        silent_step(
            [&] { services_.dialogs.message(kNoCategoryMessage, kProgramTitle, DialogButtons::ok, DialogIcon::information); });
        return;
    }
    silent_step([&] {
        std::vector<std::string> chosen;
        for (int i = 0; i < ask_list_->count(); ++i) chosen.push_back(ask_list_->item(i)->text().toStdString());
        mark_chosen_categories(chosen, state.bank, state.setup.category_selected);
    });
    start_the_quiz_from_command1();
}

void MainMenuWindow::save_drill_configuration() {
    qd::save_drill_configuration({answer_delay_->value(), highlight_delay_->value(), drill_random_->isChecked()},
                                 services_.settings);
}

void MainMenuWindow::set_busy_pointer(bool busy) {
    if (busy) setCursor(Qt::WaitCursor);
    else unsetCursor();
}

void MainMenuHandle::run_load() { window_->form_load(); }

std::unique_ptr<ManagedWindow> create_main_menu(ProgramServices services, Random& random, const Clock& clock) {
    auto* window = new MainMenuWindow(services, random, clock);
    return std::make_unique<MainMenuHandle>(window, services.screen);
}

void MainMenuWindow::set_as_screen_saver() {
    set_drill_screen_as_screen_saver(services_.settings, services_.dialogs, services_.state.bank.product_number,
                                     services_.state.paths.program_folder, current_screen_saver_desktop());
}

}  // namespace qd
