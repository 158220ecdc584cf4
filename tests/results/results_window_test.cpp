#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "../common/fake_window.h"
#include "gui_test.h"
#include "program_world.h"
#include "quiz_outcome.h"
#include "results/results_window.h"

namespace qd {
namespace {

using testing::read_file;

// The other windows the results window calls, recording what they are asked.
struct FakeStartWindow : testing::FakeWindow, StartWindowOperations {
    using FakeWindow::FakeWindow;
    void start_quiz_click_sub() override { ++menu_requests; }
    int menu_requests = 0;
};
struct FakeExplanation : testing::FakeWindow, ExplanationWindowOperations {
    FakeExplanation(std::vector<std::string>& events, const QuizState& quiz)
        : FakeWindow(kExplanationWindow, events), quiz_(quiz) {}
    void show_answer(bool print_only) override {
        events_seen.push_back("show_answer " + std::to_string(quiz_.current_index) + (print_only ? " print" : ""));
    }
    std::vector<std::string> events_seen;
    const QuizState& quiz_;
};

class ResultsWindowTest : public ::testing::Test, protected testing::ProgramWorld {
protected:
    static void SetUpTestSuite() { testing::gui_application(); }

    ResultsWindowTest() {
        windows.define(kResultsWindow, [this] { return create_results_window(services, history_clock); });
        windows.define(kQuizWindow, [this] { return std::make_unique<testing::FakeWindow>(kQuizWindow, events); });
        windows.define(kStartWindow, [this] { return std::make_unique<FakeStartWindow>(kStartWindow, events); });
        windows.define(kMainMenu, [this] {
            events.push_back("main menu load, retake_request " + std::to_string(state.retake.retake_request));
            return std::make_unique<testing::FakeWindow>(kMainMenu, events);
        });
        windows.define(kExplanationWindow, [this] { return std::make_unique<FakeExplanation>(events, state.quiz); });
        settings.working.student_name = "ALEX";
        state.setup.quiz_choice = 2;
    }

    void finish(const std::vector<testing::AskedQuestion>& asked, const std::vector<std::string>& categories) {
        testing::finish_quiz(state.table, state.quiz, state.bank, asked, categories);
    }
    ResultsWindow& window() {
        return *static_cast<ResultsWindow*>(static_cast<WidgetWindow&>(windows.load(kResultsWindow)).widget());
    }
    template <class Widget>
    Widget* child(const char* name) {
        auto* widget = window().findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QStringList list_lines(const char* name) {
        QStringList lines;
        auto* list = child<QListWidget>(name);
        for (int row = 0; row < list->count(); ++row) lines << list->item(row)->text();
        return lines;
    }
    void double_click_row(int row) {
        auto* list = child<QListWidget>("List1");
        const QPoint centre = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    }

    testing::FixedClock history_clock;  // Thursday 12/10/2026 09:30:00
    std::vector<std::string> events;
};

TEST_F(ResultsWindowTest, loadShowsScoresCategoriesQuestionsAndFillsTheMissedList) {
    windows.load(kQuizWindow);
    settings.working.timed_state = 1;
    finish({{17, 1, 1}, {3, 2, 2}, {12, 1, 2}}, {"Routing", "Switching", "Wireless"});
    windows.show(kResultsWindow);
    ResultsWindow& w = window();

    EXPECT_EQ(w.windowTitle(), "Practice Test Results for: First Part Exam");
    EXPECT_EQ(child<QLabel>("rig")->text(), " 2");
    EXPECT_EQ(child<QLabel>("tot")->text(), " 3");
    EXPECT_EQ(child<QLabel>("per")->text(), " 66%");
    EXPECT_EQ(child<QWidget>("right_score")->width(), 66 * child<QWidget>("total_score")->width() / 100);
    EXPECT_EQ(child<QLabel>("Label4")->text(), "Take this test until you get 100%");
    EXPECT_TRUE(child<QPushButton>("cmd_retake")->isVisible());
    EXPECT_EQ(list_lines("list_cat"), QStringList({"100% (1/1) Routing", " 50% (1/2) Switching", "  0% (0/0) Wireless"}));
    EXPECT_TRUE(QFontInfo(child<QListWidget>("list_cat")->font()).fixedPitch());
    EXPECT_TRUE(child<QRadioButton>("whichq_1")->isChecked());
    EXPECT_EQ(list_lines("List1"), QStringList({" 1.) [17]  Question 17", " 2.) [3]  Question 3", " 3.) [12]  Question 12"}));

    EXPECT_EQ(state.retake.missed_count, 1);
    EXPECT_EQ(state.retake.missed_ids[1], 3);
    EXPECT_EQ(settings.working.timed_state, 99);
    const std::string testing_log = read_file("testing.log");
    EXPECT_EQ(testing_log.rfind("Category Information\r\nRouting:  1\r\nSwitching:  2\r\nWireless:  0\r\n", 0), 0u);
    EXPECT_NE(testing_log.find("NUMBER WRONG: 1\r\n"), std::string::npos);
    // The category of which nothing was asked is logged once, and the load went on.
    const std::string error_log = read_file("error.log");
    EXPECT_NE(error_log.find("finalscore form Load() - finalscore 1000 - Division by zero: no question of category 3"),
              std::string::npos);
    EXPECT_EQ(error_log.find("\r\n"), error_log.size() - 2);

    // The quiz window is unloaded once the caller's turn is over.
    EXPECT_TRUE(windows.is_loaded(kQuizWindow));
    QApplication::processEvents();
    EXPECT_FALSE(windows.is_loaded(kQuizWindow));
}

TEST_F(ResultsWindowTest, aPerfectQuizOffersNoRetakeAndFillsTheBar) {
    finish({{4, 1, 1}, {9, 1, 1}}, {"Routing"});
    state.bank.categories_enabled = 0;
    windows.show(kResultsWindow);
    EXPECT_EQ(child<QLabel>("per")->text(), " 100%");
    EXPECT_EQ(child<QLabel>("Label4")->text(), "Congratulations, you scored perfect!");
    EXPECT_EQ(child<QWidget>("right_score")->width(), child<QWidget>("total_score")->width());
    EXPECT_FALSE(child<QPushButton>("cmd_retake")->isVisible());
    EXPECT_FALSE(child<QListWidget>("list_cat")->isVisible());
    EXPECT_EQ(state.retake.missed_count, 0);
}

TEST_F(ResultsWindowTest, filtersListMissedAllOrCorrectQuestions) {
    finish({{5, 2, 1}, {6, 0, 1}, {7, 1, 1}, {8, 3, 1}}, {"Routing"});
    windows.show(kResultsWindow);
    QTest::mouseClick(child<QRadioButton>("whichq_0"), Qt::LeftButton);
    EXPECT_EQ(list_lines("List1"), QStringList({" 1.) [5]  Question 5"}));
    child<QRadioButton>("whichq_2")->setChecked(true);
    EXPECT_EQ(list_lines("List1"), QStringList({" 3.) [7]  Question 7"}));
    child<QRadioButton>("whichq_1")->setChecked(true);
    EXPECT_EQ(list_lines("List1").size(), 4);
    EXPECT_EQ(state.retake.missed_count, 1);
}

TEST_F(ResultsWindowTest, flaggedQuestionsCarryAMarkThatScreenReadersNameUnderEveryFilter) {
    finish({{5, 2, 1}, {6, 1, 1}, {7, 2, 1}}, {"Routing"});
    state.quiz.flagged[2] = true;
    state.quiz.flagged[3] = true;
    windows.show(kResultsWindow);
    auto* list = child<QListWidget>("List1");
    QAccessibleInterface* described = QAccessible::queryAccessibleInterface(list);
    const auto row_name = [&](int row) { return described->child(row)->text(QAccessible::Name); };
    EXPECT_EQ(list_lines("List1"), QStringList({" 1.) [5]  Question 5", " 2.) [6]  Question 6", " 3.) [7]  Question 7"}));
    EXPECT_TRUE(list->item(0)->icon().isNull());
    EXPECT_FALSE(list->item(1)->icon().isNull());
    EXPECT_EQ(row_name(0), " 1.) [5]  Question 5");
    EXPECT_EQ(row_name(1), " 2.) [6]  Question 6, flagged for review");
    child<QRadioButton>("whichq_0")->setChecked(true);
    EXPECT_EQ(list_lines("List1"), QStringList({" 1.) [5]  Question 5", " 3.) [7]  Question 7"}));
    EXPECT_TRUE(list->item(0)->icon().isNull());
    EXPECT_EQ(list->item(1)->data(Qt::AccessibleTextRole).toString(), " 3.) [7]  Question 7, flagged for review");
}

TEST_F(ResultsWindowTest, doubleClickOpensTheExplanationOfThatQuizPosition) {
    // Position 2 holds question 12, and question 2 sits at position 3.
    finish({{30, 2, 1}, {12, 2, 1}, {2, 1, 1}}, {"Routing"});
    windows.show(kResultsWindow);
    double_click_row(1);
    auto& explanation = static_cast<FakeExplanation&>(*windows.find(kExplanationWindow));
    EXPECT_EQ(explanation.events_seen, std::vector<std::string>{"show_answer 12"});
    EXPECT_EQ(state.quiz.current_question.question_text, "Question 12");

    // The Missed filter's second line is still position 2.
    child<QRadioButton>("whichq_0")->setChecked(true);
    auto* list = child<QListWidget>("List1");
    list->setFocus();
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(explanation.events_seen.back(), "show_answer 12");

    list->clearSelection();
    dialogs.expect_message("You must select a question", "");
    QTest::keyClick(list, Qt::Key_Return);
}

TEST_F(ResultsWindowTest, retakeLoadsTheMainMenuWithTheRequestAndUnloadsTheResults) {
    finish({{5, 2, 1}, {6, 1, 1}}, {"Routing"});
    windows.show(kResultsWindow);
    QTest::mouseClick(child<QPushButton>("cmd_retake"), Qt::LeftButton);
    EXPECT_EQ(state.retake.retake_request, 2);
    EXPECT_NE(std::find(events.begin(), events.end(), "main menu load, retake_request 2"), events.end());
    EXPECT_FALSE(windows.is_loaded(kResultsWindow));
}

TEST_F(ResultsWindowTest, quitAndEscapeReturnToTheMenuAndDetailsOpenTheReport) {
    finish({{5, 2, 1}}, {"Routing"});
    windows.show(kResultsWindow);
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], (std::pair<std::string, ShowMode>{"history.41517.ALEX.htm", ShowMode::maximized}));

    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    auto& start = static_cast<FakeStartWindow&>(*windows.find(kStartWindow));
    EXPECT_EQ(start.menu_requests, 1);
    EXPECT_FALSE(window().isVisible());

    windows.show(kResultsWindow);
    QTest::keyClick(&window(), Qt::Key_Escape);
    EXPECT_EQ(start.menu_requests, 2);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(ResultsWindowTest, saveHistoryRecordsTheQuizWithItsModuleTable) {
    finish({{5, 2, 1}, {6, 1, 2}}, {"Routing", "Switching"});
    windows.show(kResultsWindow);
    EXPECT_EQ(windows.get<ResultsWindowOperations>(kResultsWindow).save_history(), std::nullopt);
    const std::string header = history_header_line("ALEX", "First Part Exam");
    EXPECT_EQ(read_file("history.41517.ALEX.htm"),
              header + "\r\n" +
                  "<p><b>  Results:</b><br> 50%&nbsp;&nbsp;(1/2)&nbsp;&nbsp;-&nbsp;&nbsp;Date: Thursday 12/10/2026 09:30:00"
                  "<hr align=left width=50% size=15 NOSHADE COLOR=NAVY><b> Module Results:</b><table border=0 cellpadding=0 "
                  "cellspacing=0 style=\"border-collapse: collapse\" bordercolor=#111111 width=50% id=AutoNumber1> <tr> "
                  "<td width=50 align=center><u>&nbsp;% </u></td>   <td><u>&nbsp;Exam Module </u></td></tr>"
                  "<tr><td align=center>  0% (0/1)</td><td>Routing</td></tr>"
                  "<tr><td align=center>100% (1/1)</td><td>Switching</td></tr></table><p>&nbsp;</p>\r\n");
    EXPECT_EQ(read_file("temp.hist"), header + "\r\n");

    // A report that cannot be replaced stays, and the reason is logged and handed back.
    std::filesystem::remove("history.41517.ALEX.htm");
    std::filesystem::create_directory("history.41517.ALEX.htm");
    const auto why = windows.get<ResultsWindowOperations>(kResultsWindow).save_history();
    ASSERT_TRUE(why.has_value());
    EXPECT_TRUE(why->starts_with("history.41517.ALEX.htm: ")) << *why;
    EXPECT_TRUE(std::filesystem::is_directory("history.41517.ALEX.htm"));
    EXPECT_NE(read_file("error.log").find(" - finalscore save_history() - finalscore 75 - history.41517.ALEX.htm is not a file - "),
              std::string::npos);
}

TEST_F(ResultsWindowTest, everyControlIsNamedReachableByTabAndActsOnEnter) {
    finish({{5, 2, 1}, {6, 1, 1}}, {"Routing"});
    windows.show(kResultsWindow);
    ResultsWindow& w = window();
    struct Expected {
        const char* name;
        QAccessible::Role role;
        const char* accessible_name;
    };
    const Expected controls[] = {
        {"list_cat", QAccessible::List, "Category scores"},
        {"whichq_0", QAccessible::RadioButton, "Show Missed Questions"},
        {"whichq_1", QAccessible::RadioButton, "Show All Questions"},
        {"whichq_2", QAccessible::RadioButton, "Show Correct Questions"},
        {"List1", QAccessible::List, "Questions of the quiz"},
        {"cmd_review", QAccessible::Button, "Review Answers"},
        {"Command2", QAccessible::Button, "View or Print Test Details"},
        {"cmd_retake", QAccessible::Button, "Retake Quiz Using Incorrect Answers"},
        {"cmd_progress", QAccessible::Button, "Progress..."},
        {"Command1", QAccessible::Button, "Quit to Menu"},
    };
    QWidget* focus = w.findChild<QWidget*>("list_cat");
    for (const Expected& control : controls) {
        SCOPED_TRACE(control.name);
        QWidget* widget = w.findChild<QWidget*>(control.name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), control.role);
        EXPECT_EQ(accessible->text(QAccessible::Name), control.accessible_name);
        EXPECT_NE(widget->focusPolicy() & Qt::TabFocus, 0);
        EXPECT_EQ(focus, widget);
        focus = focus->nextInFocusChain();
        while (focus && !(focus->focusPolicy() & Qt::TabFocus)) focus = focus->nextInFocusChain();
    }
    // Enter on a focused button presses it.
    auto* details = w.findChild<QPushButton*>("Command2");
    details->setFocus();
    QTest::keyClick(details, Qt::Key_Return);
    EXPECT_EQ(shell.opened.size(), 1u);
}

}  // namespace
}  // namespace qd
