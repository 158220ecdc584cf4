#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <map>
#include <set>

#include "../common/fake_window.h"
#include "bank/bank_loader.h"
#include "builder_world.h"
#include "common/program_title.h"
#include "flashcards/screen_saver_registration.h"
#include "gui_test.h"
#include "platform/colour_scheme.h"
#include "program_world.h"
#include "recorder_double.h"
#include "setup/main_menu_window.h"
#include "setup/weak_areas_quiz.h"
#include "shell/start_up.h"

namespace qd {
namespace {

using testing::FakeWindow;
using testing::QuizWindowDouble;

// A start window that brings up the main menu as the real one does.
class StartWindowDouble : public FakeWindow, public StartWindowOperations {
public:
    StartWindowDouble(std::vector<std::string>& events, WindowRegistry& windows, const Screen& screen, const ErrorLog& log)
        : FakeWindow(kStartWindow, events), windows_(windows), screen_(screen), log_(log) {}
    void start_quiz_click_sub() override { qd::start_quiz_click_sub(windows_, screen_, log_); }

private:
    WindowRegistry& windows_;
    const Screen& screen_;
    const ErrorLog& log_;
};

class MainMenu : public ::testing::Test, protected testing::ProgramWorld {
protected:
    static void SetUpTestSuite() { testing::gui_application(); }

    MainMenu() {
        state.paths.program_folder = folder.path().string() + "/program/";
        init_product(state.paths, state.table, state.bank);
        number_questions(state.table);
        state.quiz.quiz_length = static_cast<std::int16_t>(state.bank.question_count / 4);
        windows.define(kStartWindow, [this] { return std::make_unique<StartWindowDouble>(events, windows, screen, log); });
        windows.define(kQuizWindow, [this] { return std::make_unique<QuizWindowDouble>(events); });
        windows.define(kMainMenu, [this] { return create_main_menu(services, random, clock); });
    }

    // The student presses Start on the start window.
    MainMenuWindow& open() {
        windows.get<StartWindowOperations>(kStartWindow).start_quiz_click_sub();
        MainMenuWindow& w = menu();
        if (!QTest::qWaitForWindowActive(&w)) ADD_FAILURE() << "the main menu never became active";
        return w;
    }
    MainMenuWindow& menu() { return static_cast<MainMenuHandle*>(windows.find(kMainMenu))->window(); }
    template <class Widget = QWidget>
    Widget& control(const char* name) {
        auto* widget = menu().findChild<Widget*>(name);
        if (!widget) throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }
    void click(const char* name) { QTest::mouseClick(&control<QAbstractButton>(name), Qt::LeftButton); }
    void choose(const char* menu_item) { menu().findChild<QAction*>(menu_item)->trigger(); }
    std::vector<std::string> entries(const char* list_name) {
        std::vector<std::string> texts;
        auto& list = control<QListWidget>(list_name);
        for (int i = 0; i < list.count(); ++i) texts.push_back(list.item(i)->text().toStdString());
        return texts;
    }
    void select(const char* list_name, std::initializer_list<int> rows) {
        auto& list = control<QListWidget>(list_name);
        list.clearSelection();
        for (int row : rows) list.item(row)->setSelected(true);
    }

    testing::ScriptedRandom random{{}, 0.3};
    std::vector<std::string> events;
};

TEST_F(MainMenu, firstRunShowsThePracticeStatesAndSaveSettingsStoresTheirExactValues) {
    MainMenuWindow& w = open();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(windows.get<FakeWindow>(kStartWindow).visible);
    EXPECT_EQ(control<QLineEdit>("txtstudentname").text(), "STUDENT");
    EXPECT_EQ(control<QLineEdit>("timeamount").text(), "75");
    EXPECT_EQ(control<QLabel>("howmany").text(), "258");
    EXPECT_EQ(control<QLabel>("howmanyq").text(), "64");
    EXPECT_EQ(settings.working.radio_buttons, -1);
    EXPECT_EQ(testing::read_file(folder / "error.log"),
              "D - pick_a_quiz form load() - pick_a_quiz13 - The setting show#answers holds \"\", not a whole number - \r\n");

    dialogs.expect_message("User Settings have been saved.", kProgramTitle);
    click("savesettings");
    struct Stored {
        SettingKey key;
        const char* value;
    };
    for (const Stored& s :
         {Stored{setting::savesettings, "saved"}, Stored{setting::answer_when_wrong, " 1"},
          Stored{setting::answer_when_right, " 0"}, Stored{setting::timed_test, " 0"}, Stored{setting::timed_minutes, " 75"},
          Stored{setting::random_answers, " 1"}, Stored{setting::random_questions, " 1"}, Stored{setting::score_graph, " 1"},
          Stored{setting::back_button, " 1"}, Stored{setting::show_answer_count, " 1"}, Stored{setting::radio, " 1"},
          Stored{setting::embed_media_player, "0"}, Stored{setting::saved_font, "12"}}) {
        SCOPED_TRACE(s.key.key);
        EXPECT_EQ(settings.get(s.key), s.value);
    }
}

TEST_F(MainMenu, everyControlCarriesItsNameCaptionAndToolTip) {
    MainMenuWindow& w = open();
    EXPECT_EQ(w.windowTitle(), "Start the QUIZ");
    auto& tabs = control<QTabWidget>("SSTab1");
    ASSERT_EQ(tabs.count(), 4);
    EXPECT_EQ(tabs.tabText(0), "General");
    EXPECT_EQ(tabs.tabText(1), "Advanced Options");
    EXPECT_EQ(tabs.tabText(2), "Select Categories");
    EXPECT_EQ(tabs.tabText(3), "Drillscreen");
    struct Designed {
        const char* name;
        const char* caption;
        const char* tip;
        bool shown;
    };
    const char* time_tip = "Limits the amount of time you have to take the quiz.";
    for (const Designed& d : std::initializer_list<Designed>{
             {"which_quiz_1", "NAVRA VIZIZ Exam", "Each Quiz contains 50 Questions", true},
             {"which_quiz_2", "NAVRA ORLIN Exam", "Each Quiz contains 50 Questions", true},
             {"which_quiz_3", "Full NAVRA Exam", "Each Quiz contains 50 Questions", true},
             {"which_quiz_4", "Quiz &D", "", false},
             {"which_quiz_5", "Ask ALL Questions", "", false},
             {"which_quiz_6", "Final Exam", "", false},
             {"Command1", "NAVRA VIZIZ Quiz", "Starts the actual quiz", true},
             {"cmd_weak_areas", "Weak &Areas Quiz",
              "Asks the questions you missed most recently, then the chapters you know least, from your study record.", true},
             {"weak_length_10", "10 questions", nullptr, true},
             {"weak_length_25", "25 questions", nullptr, true},
             {"weak_length_50", "50 questions", nullptr, true},
             {"cmd_reset_user_history", "Reset &User History", "This will clear the students history.", true},
             {"savesettings", "Sa&ve Settings", "This will remember your settings for next time.", true},
             {"askwrong", "Only ask qu&estions answered incorrectly last time.", "", false},
             {"timeron", "&Timed Quiz", time_tip, true},
             {"answer_when_wrong", "&Wrong", "Displays answer and explanation when question is answered wrong.", true},
             {"answer_when_right", "&Right", "Displays answer and explanation when question is answered right.", true},
             {"random_questions", "Q&uestions", "Randomizes the order in which the questions are asked.", true},
             {"random_answers", "A&nswers", "Randomizes the order that the answers are displayed.", true},
             {"showhowmanyanswers", "Show &# of Answers", "Tells you the number of correct answers for a question.", true},
             {"scoregraph", "L&ive Scoring", "Shows you your percentage correct as you take the quiz.", true},
             {"backb", "Bac&k Button", "Allows you to review previously asked questions.", true},
             {"chkEmbed", "&Embed Media Player for Online Tutor Files", "", false},
             {"chkRadio", "Yes", "", true},
             {"cmdSaveSet", "Sa&ve Settings", "This will remember your settings for next time.", true},
             {"restore_defaults", "&Practice Mode (default)", "Shows full answer, allows back button and is not timed.", true},
             {"Command2", "Test &Mode", "Simulates the real exam environment.", true},
             {"cmd_flashcards", "Flash Cards", "This presents the question in a flash card format, without displaying the answers.",
              true},
             {"cmd_add_cat", "<", nullptr, true},
             {"cmd_remove_cat", ">", nullptr, true},
             {"cmd_add_all_cat", "<<", nullptr, true},
             {"cmd_remove_all_cat", ">>", nullptr, true},
             {"cmd_start_cat_quiz", "Start Quiz, Asking Only Questions in Selected Categories", nullptr, true},
             {"chkRandom", "Randomize Questions", nullptr, true},
             {"cmdok", "Save Configuration", nullptr, true},
             {"cmdSet", " Set as &DEFAULT Screen Saver ", nullptr, true},
         }) {
        SCOPED_TRACE(d.name);
        auto& b = control<QAbstractButton>(d.name);
        EXPECT_EQ(b.text(), d.caption);
        if (d.tip) {
            EXPECT_EQ(b.toolTip(), d.tip);
        }
        EXPECT_EQ(!b.isHidden(), d.shown);
    }
    EXPECT_EQ(control<QLineEdit>("timeamount").toolTip(), time_tip);
    EXPECT_EQ(control<QLabel>("Label4").text(), "Note:  Questions will be asked from your selected quiz.");
    EXPECT_EQ(control<QSpinBox>("lbldisplayans").value(), 3);
    EXPECT_EQ(control<QSpinBox>("lbldisplaycorr").value(), 6);
    for (const char* hidden : {"fraAsk", "timeamount", "timeamountlabel", "VScroll1"})
        EXPECT_TRUE(control(hidden).isHidden()) << hidden;

    std::vector<std::string> menu_items;
    for (QAction* top : w.menuBar()->actions()) {
        menu_items.push_back(top->text().toStdString());
        for (QAction* item : top->menu()->actions()) menu_items.push_back("  " + item->text().toStdString());
    }
    EXPECT_EQ(menu_items,
              (std::vector<std::string>{"&File", "  Save Settings", "  &Colours", "  E&xit Program", "Histor&y",
                                        "  View Test Score History", "  Reset User History", "  Progress...", "Testing M&ode",
                                        "  Test Mode", "  Practice (default)", "  Weak Areas Quiz", "&Help", "  &Contents"}));

    // Never smaller than 9780 x 6795 twips.
    w.resize(5000 / 15, 3000 / 15);
    EXPECT_EQ(w.size(), QSize(9780 / 15, 6795 / 15));
}

TEST_F(MainMenu, screenReadersFindEveryActionableControlByItsCaption) {
    MainMenuWindow& w = open();
    auto& tabs = control<QTabWidget>("SSTab1");
    for (int tab = 0; tab < tabs.count(); ++tab) {
        tabs.setCurrentIndex(tab);
        for (QWidget* widget : tabs.currentWidget()->findChildren<QWidget*>()) {
            const bool actionable = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                                    qobject_cast<QListWidget*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
                                    qobject_cast<QScrollBar*>(widget);
            // Unnamed or "qt_" widgets are the parts of a list or spin box, reached through it.
            if (!actionable || !widget->isVisibleTo(&w) || widget->objectName().isEmpty() || widget->objectName().startsWith("qt_"))
                continue;
            SCOPED_TRACE(widget->objectName().toStdString());
            QAccessibleInterface* access = QAccessible::queryAccessibleInterface(widget);
            ASSERT_NE(access, nullptr);
            EXPECT_FALSE(access->text(QAccessible::Name).isEmpty());
            EXPECT_NE(access->role(), QAccessible::NoRole);
            EXPECT_TRUE(widget->focusPolicy() & Qt::TabFocus);
            // The chapter picker's arrows are named by what they do; the rest by their captions.
            const std::map<QString, QString> said_in_words{{"cmd_add_cat", "Add the selected chapters"},
                                                           {"cmd_remove_cat", "Remove the selected chapters"},
                                                           {"cmd_add_all_cat", "Add all chapters"},
                                                           {"cmd_remove_all_cat", "Remove all chapters"}};
            if (auto* b = qobject_cast<QAbstractButton*>(widget)) {
                const auto words = said_in_words.find(b->objectName());
                EXPECT_EQ(access->text(QAccessible::Name).toStdString(),
                          (words != said_in_words.end() ? words->second : QString(b->text()).remove('&').trimmed()).toStdString());
            }
        }
    }
    // Activation puts the focus on the start button; Enter on it starts the quiz.
    tabs.setCurrentIndex(0);
    EXPECT_EQ(w.focusWidget(), &control("Command1"));
    // Tab walks the category tab as it is laid out.
    tabs.setCurrentIndex(2);
    control("lst_cats_to_ask").setFocus();
    std::vector<QString> tab_order;
    for (int i = 0; i < 7; ++i) {
        tab_order.push_back(w.focusWidget()->objectName());
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(tab_order, (std::vector<QString>{"lst_cats_to_ask", "cmd_add_cat", "cmd_remove_cat", "cmd_add_all_cat",
                                               "cmd_remove_all_cat", "lst_cats_not_to_ask", "cmd_start_cat_quiz"}));

    QTest::keyClick(&control("Command1"), Qt::Key_Return);
    EXPECT_EQ(events.back(), "show_quest");
}

TEST_F(MainMenu, theColourChoiceIsStoredAndRecolorsTheWindowsAtOnce) {
    MainMenuWindow& w = open();
    const QColor desktop_window = QApplication::palette().color(QPalette::Window);
    const auto window_colour = [] {
        const QColor c = QApplication::palette().color(QPalette::Window);
        return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()), static_cast<std::uint8_t>(c.blue())};
    };
    w.findChild<QAction*>("mnu_colours_dark")->trigger();
    EXPECT_EQ(settings.get(setting::colour_scheme), "dark");
    EXPECT_TRUE(is_dark(window_colour()));
    EXPECT_TRUE(w.findChild<QAction*>("mnu_colours_dark")->isChecked());
    w.findChild<QAction*>("mnu_colours_light")->trigger();
    EXPECT_EQ(css_colour(window_colour()), css_colour(light_scheme().window));
    EXPECT_FALSE(w.findChild<QAction*>("mnu_colours_dark")->isChecked());
    w.findChild<QAction*>("mnu_colours_system")->trigger();
    EXPECT_EQ(settings.get(setting::colour_scheme), "system");
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), desktop_window);
}

TEST_F(MainMenu, examOptionsReloadTheBankAndRelabel) {
    open();
    click("which_quiz_2");
    EXPECT_EQ(control<QLabel>("howmany").text(), "307");
    EXPECT_EQ(control<QAbstractButton>("Command1").text(), "NAVRA ORLIN Exam");
    EXPECT_EQ(control<QLabel>("Label4").text(), "Note:  Questions will be asked from the NAVRA ORLIN Exam");
    EXPECT_EQ(entries("lst_cats_to_ask").size(), 9u);
    EXPECT_EQ(entries("lst_cats_to_ask").back(), "Simulator");
    click("which_quiz_3");
    EXPECT_EQ(state.bank.question_count, 665);
    EXPECT_EQ(entries("lst_cats_to_ask").size(), 19u);
}

TEST_F(MainMenu, timedQuizShowsItsTimeAndTheSpinnerStepsFromItsStart) {
    open();
    click("timeron");
    EXPECT_FALSE(control("timeamount").isHidden());
    EXPECT_FALSE(control("timeamountlabel").isHidden());
    EXPECT_TRUE(control("VScroll1").isHidden());
    control<QScrollBar>("VScroll1").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(control<QLineEdit>("timeamount").text(), "29");

    dialogs.expect_message("User Settings have been saved.", kProgramTitle);
    click("cmdSaveSet");
    windows.unload(kMainMenu);
    open();
    EXPECT_TRUE(control<QCheckBox>("timeron").isChecked());
    EXPECT_EQ(control<QLineEdit>("timeamount").text(), " 29");
    for (const char* shown : {"timeamount", "timeamountlabel", "VScroll1"}) EXPECT_FALSE(control(shown).isHidden()) << shown;
    click("timeron");
    click("timeron");
    EXPECT_TRUE(control("VScroll1").isHidden());
}

TEST_F(MainMenu, startBuildsTheQuizFromTheBoxesAndHandsOverToTheQuizWindow) {
    MainMenuWindow& w = open();
    QTest::keyClicks(&control<QLineEdit>("txtstudentname"), "-kim-2b");  // after the designed STUDENT
    click("random_questions");                                           // off
    click("answer_when_right");
    click("Command1");
    EXPECT_EQ(events.back(), "show_quest");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(settings.get(setting::student_name), "STUDENT KIM 2B");
    EXPECT_EQ(state.quiz.quiz_length, 50);
    EXPECT_EQ(state.quiz.table_index_at(50), 50);
    EXPECT_EQ(settings.working.show_answer_when_right, 1);
    EXPECT_EQ(settings.working.shuffle_questions, 0);
    EXPECT_EQ(state.setup.category_quiz, 0);
}

TEST_F(MainMenu, weakAreasQuizAsksTheRecordsWeakQuestionsFirstThroughTheNormalQuiz) {
    testing::RecorderDouble recorder;
    services.recorder = &recorder;
    recorder.answers = {{7, state.table.at(7).category, false, 100, 5},
                        {3, state.table.at(3).category, false, 50, 5},
                        {9, state.table.at(9).category, true, 200, 5}};
    MainMenuWindow& w = open();
    control<QLineEdit>("txtstudentname").setText("kim");
    click("weak_length_25");
    click("cmd_weak_areas");
    EXPECT_EQ(events.back(), "show_quest");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(recorder.told.front(), "answers of KIM " + state.bank.product_number);
    ASSERT_EQ(state.quiz.quiz_length, 25);
    EXPECT_EQ(state.quiz.table_index_at(1), 7);  // the latest wrong answer first
    EXPECT_EQ(state.quiz.table_index_at(2), 3);
    std::set<int> asked;
    for (int p = 1; p <= 25; ++p) asked.insert(state.quiz.table_index_at(p));
    EXPECT_EQ(asked.size(), 25u);
    EXPECT_TRUE(dialogs.shown.empty());
}

// A quiz of the student's left open is put aside only when they say so.
TEST_F(MainMenu, startingANewQuizAsksBeforePuttingAsideTheQuizLeftOpen) {
    for (const DialogAnswer answer : {DialogAnswer::no, DialogAnswer::yes}) {
        SCOPED_TRACE(answer == DialogAnswer::yes ? "yes" : "no");
        testing::RecorderDouble recorder;
        services.recorder = &recorder;
        recorder.open = OpenQuiz{7, state.bank.product_number, 17, 50, "kept"};
        events.clear();
        open();
        dialogs.expect_message(
            "You have not finished the quiz you left at question 17 of 50. A new quiz puts it aside for good; its answers so far "
            "stay in your study record.\n\nStart a new quiz?",
            "Start a New Quiz", answer);
        click("Command1");
        const bool started = !events.empty() && events.back() == "show_quest";
        EXPECT_EQ(started, answer == DialogAnswer::yes);
        EXPECT_EQ(recorder.told, answer == DialogAnswer::yes ? std::vector<std::string>{"discard 7"} : std::vector<std::string>{});
        windows.unload(kMainMenu);
    }
}

TEST_F(MainMenu, weakAreasQuizWithNothingRecordedIsARandomQuizAndSaysSo) {
    testing::RecorderDouble recorder;
    services.recorder = &recorder;
    MainMenuWindow& w = open();
    dialogs.expect_message(weak_areas_random_message("STUDENT", 10), kProgramTitle);
    w.findChild<QAction*>("mnu_weakareas")->trigger();
    EXPECT_EQ(events.back(), "show_quest");
    ASSERT_EQ(state.quiz.quiz_length, 10);
    std::set<int> asked;
    for (int p = 1; p <= 10; ++p) asked.insert(state.quiz.table_index_at(p));
    EXPECT_EQ(asked.size(), 10u);
    EXPECT_GE(*asked.begin(), 1);
    EXPECT_LE(*asked.rbegin(), state.bank.question_count);
}

TEST_F(MainMenu, aStoredNameLongerThanTheBoxAllowsIsKept_andNewNamesStayWithinTheLimit) {
    const std::string long_name(55, 'K');
    settings.put(setting::student_name, long_name);
    open();
    auto& name = control<QLineEdit>("txtstudentname");
    EXPECT_EQ(name.text().toStdString(), long_name);
    name.clear();
    QTest::keyClicks(&name, QString(70, 'a'));
    EXPECT_LE(name.text().size(), 55);
}

TEST_F(MainMenu, categoryPickerMovesEntriesAndStartsACategoryQuiz) {
    open();
    const std::vector<std::string> all = entries("lst_cats_to_ask");
    ASSERT_EQ(all.size(), 11u);
    select("lst_cats_to_ask", {0, 2, 3});
    click("cmd_remove_cat");
    EXPECT_EQ(entries("lst_cats_not_to_ask"), (std::vector<std::string>{all[0], all[2], all[3]}));
    EXPECT_EQ(menu().focusWidget(), &control("lst_cats_to_ask"));

    // A double-click with two other entries selected moves all three, in order, to the end of the ask list.
    auto& skip = control<QListWidget>("lst_cats_not_to_ask");
    select("lst_cats_not_to_ask", {0, 1, 2});
    emit skip.itemDoubleClicked(skip.item(1));
    EXPECT_EQ(entries("lst_cats_to_ask").back(), all[3]);
    EXPECT_TRUE(entries("lst_cats_not_to_ask").empty());

    click("cmd_remove_all_cat");
    EXPECT_EQ(entries("lst_cats_not_to_ask").size(), 11u);
    dialogs.expect_message("You must select at least one category", kProgramTitle);
    click("cmd_start_cat_quiz");
    EXPECT_EQ(control<QAbstractButton>("Command1").text(), "Final Exam");
    EXPECT_TRUE(control<QRadioButton>("which_quiz_5").isChecked());

    auto& skipped = control<QListWidget>("lst_cats_not_to_ask");
    skipped.clearSelection();
    for (const std::string& name : {all[1], all[10]})
        skipped.findItems(QString::fromStdString(name), Qt::MatchExactly).front()->setSelected(true);
    click("cmd_add_cat");
    EXPECT_EQ(entries("lst_cats_to_ask"), (std::vector<std::string>{all[1], all[10]}));
    click("cmd_start_cat_quiz");
    int expected = 0;
    for (int i = 1; i <= state.bank.question_count; ++i)
        expected += state.table.at(i).category == 2 || state.table.at(i).category == 11;
    EXPECT_EQ(state.quiz.quiz_length, expected);
    EXPECT_EQ(events.back(), "show_quest");

    // Another program in front and back again is no new activation: the pick stays.
    windows.unload(kMainMenu);
    open();
    select("lst_cats_to_ask", {0});
    click("cmd_remove_cat");
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QApplication::setActiveWindow(&menu());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&menu()));
    EXPECT_EQ(entries("lst_cats_not_to_ask"), std::vector<std::string>{all[0]});

    // Back at the main menu, every category is offered again.
    windows.unload(kMainMenu);
    open();
    EXPECT_EQ(entries("lst_cats_to_ask"), all);
}

TEST_F(MainMenu, retakeRequestedByTheResultsWindowStartsWithoutShowingTheMenu) {
    state.retake.retake_request = 2;
    state.retake.missed_count = 3;
    state.retake.missed_ids[1] = 12;
    state.retake.missed_ids[2] = 300;
    state.retake.missed_ids[3] = 5;
    MainMenuWindow& w = static_cast<MainMenuHandle&>(windows.load(kMainMenu)).window();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(state.bank.question_count, 307);
    EXPECT_EQ(state.quiz.quiz_length, 3);
    EXPECT_EQ(state.quiz.table_index_at(2), 300);
    EXPECT_EQ(state.retake.retake_request, 0);
    EXPECT_EQ(state.setup.retake_in_progress, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"load quest", "show_quest"}));
}

TEST_F(MainMenu, menuCommandsAskAndAnswer) {
    open();
    // Exit answered No changes nothing; any other answer ends the program.
    dialogs.expect_message("Are you sure you want to exit the program?", "Exit Program?", DialogAnswer::no);
    choose("menu_exit");
    EXPECT_EQ(process_end.ends, 0);
    EXPECT_TRUE(menu().isVisible());
    dialogs.expect_message("Are you sure you want to exit the program?", "Exit Program?", DialogAnswer::yes);
    choose("menu_exit");
    EXPECT_EQ(process_end.ends, 1);

    choose("mnu_contents");
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], (std::pair<std::string, ShowMode>{state.paths.program_folder + "velqor.html", ShowMode::normal}));

    dialogs.expect_message("No history found for user STUDENT.  Please take a quiz first and try again.", kProgramTitle);
    choose("mnu_viewtestscorehistory");
    dialogs.expect_message("Are you sure you want to clear all history for user STUDENT?", "Clear History?", DialogAnswer::no);
    dialogs.expect_message("History NOT cleared.", kProgramTitle);
    choose("mnu_resetuserhistory");

    control<QCheckBox>("showhowmanyanswers").setChecked(false);
    dialogs.expect_message("User Settings have been changed to simulate the actual exam.", kProgramTitle);
    choose("mnu_simulatormode");
    EXPECT_TRUE(control<QCheckBox>("timeron").isChecked());
    EXPECT_FALSE(control<QCheckBox>("backb").isChecked());
    EXPECT_FALSE(control<QCheckBox>("showhowmanyanswers").isChecked());
    EXPECT_EQ(settings.working.practice_mode, 0);
    dialogs.expect_message("User Settings have been changed to enhance learning.", "User Settings");
    click("restore_defaults");
    EXPECT_FALSE(control<QCheckBox>("timeron").isChecked());
    EXPECT_EQ(settings.working.practice_mode, -1);

    // Without the flash-card window the student stays on the main menu.
    dialogs.expect_message(
        "Flash Cards show you ONLY the question (no possible answers, exhibits, or diagrams).  NOTE:  Some questions "
        "may not make sense in this mode, which may require the use of regular testing mode.",
        "Flash Cards");
    click("cmd_flashcards");
    EXPECT_TRUE(windows.is_loaded(kMainMenu));
}

TEST_F(MainMenu, drillScreenTabSavesItsConfiguration) {
    open();
    QTest::keyClick(&control<QSpinBox>("lbldisplayans"), Qt::Key_Up);
    auto& highlight = control<QSpinBox>("lbldisplaycorr");
    highlight.setValue(1);
    QTest::keyClick(&highlight, Qt::Key_Down);
    EXPECT_EQ(highlight.value(), 1);
    click("chkRandom");
    click("cmdok");
    EXPECT_EQ(settings.get(setting::answer_speed), "4");
    EXPECT_EQ(settings.get(setting::highlight_speed), "1");
    EXPECT_EQ(settings.get(setting::random_drill_questions), "1");
}

TEST_F(MainMenu, setAsScreenSaverRecordsThisExamAndSaysHowToStartItWithoutAModule) {
    open();
    // A desktop without the module on its search path or beside the program.
    const std::string old_path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (folder.path() / "no-bin").c_str(), 1);
    const std::string program = state.paths.program_folder + "quizdeck";
    dialogs.expect_message(
        "The screen-saver module \"drill_screen\" was not found beside the program.\n\n"
        "To show the drill screen at any time, run:\n\n    " +
            program + " aaaa",
        "Drill Screen");
    click("cmdSet");
    ::setenv("PATH", old_path.c_str(), 1);
    EXPECT_EQ(settings.get(setting::which_test), state.bank.product_number);
    EXPECT_EQ(settings.get(setting::where_test), program);
}

TEST_F(MainMenu, flashCardsOpenTheirWindowInPlaceOfTheMainMenu) {
    windows.define(kFlashCardWindow, [this] { return std::make_unique<FakeWindow>(kFlashCardWindow, events); });
    open();
    dialogs.expect_message(
        "Flash Cards show you ONLY the question (no possible answers, exhibits, or diagrams).  NOTE:  Some questions "
        "may not make sense in this mode, which may require the use of regular testing mode.",
        "Flash Cards");
    click("cmd_flashcards");
    EXPECT_TRUE(windows.get<FakeWindow>(kFlashCardWindow).visible);
    EXPECT_FALSE(windows.is_loaded(kMainMenu));
}

TEST_F(MainMenu, theBrowserWarmsUpOnlyOnceTheMenuIsOnScreen) {
    struct CountingFactory : BrowserFactory {
        void warm_up() override { ++warm_ups; }
        std::unique_ptr<Browser> create() override { return nullptr; }
        int warm_ups = 0;
    } browsers;
    services.browsers = &browsers;
    open();
    EXPECT_EQ(browsers.warm_ups, 0);  // never before the menu has appeared
    EXPECT_TRUE(QTest::qWaitFor([&] { return browsers.warm_ups == 1; }));
}

TEST_F(MainMenu, closingTheMainMenuClosesTheStartWindow) {
    open().close();
    EXPECT_FALSE(windows.is_loaded(kStartWindow));
    EXPECT_TRUE(windows.is_loaded(kMainMenu));  // the real start window's unload takes it, and the program, down
}

}  // namespace
}  // namespace qd
