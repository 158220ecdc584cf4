#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWindow>
#include <cmath>
#include <optional>

#include "../common/fake_window.h"
#include "common/program_title.h"
#include "gui_test.h"
#include "platform/replace_file.h"
#include "platform/webengine/webengine_browser.h"
#include "program_world.h"
#include "results/results_file.h"
#include "runner/exhibit_window.h"
#include "runner/navigator_window.h"
#include "runner/quiz_window.h"

namespace qd {
namespace {

class QuizWindowTest : public ::testing::Test, protected testing::ProgramWorld {
protected:
    static void SetUpTestSuite() { testing::gui_application(); }

    QuizWindowTest() {
        services.browsers = &browsers;
        state.paths.program_folder = std::string(QUIZDECK_STAGE_DIR) + "/";
        state.paths.data_folder = std::string(QUIZDECK_STAGE_DIR) + "/pv_navra/";
        state.bank = BankState{};
        state.bank.exam_title = "Exam One";
        state.bank.product_number = "41517";
        state.bank.version_text = "5.56";
        state.bank.category_count = 2;
        auto& working = settings.working;
        working.student_name = "Alex";
        working.radio_buttons = -1;
        working.back_button = 1;
        working.live_scoring = 1;
        add_question(1, 11, "Pick b", {"a", "b", "c"}, {0, 0, 1, 0}, "single_answer");
        add_question(2, 12, "Pick a and c", {"a", "b", "c"}, {0, 1, 0, 1}, "multiple");
        add_question(3, 13, "Name it", {"Frame\xE2\x80\x93Relay"}, {0, 1}, "fill_in_the_blank");
        auto& quiz = state.quiz;
        quiz.quiz_length = 3;
        for (int p = 1; p <= 3; ++p) quiz.question_order[p] = static_cast<std::int16_t>(p);

        windows.define(kQuizWindow, [this] {
            return create_quiz_window(
                services, QuizWindowServices{starter, random, top_windows, desktop_reader, clock, folder.path().string() + "/"});
        });
        windows.define(kResultsWindow, [this] {
            events.push_back("results shown");
            auto results = std::make_unique<ResultsHandle>(events);
            results->history_failure = history_failure;
            return results;
        });
    }

    void add_question(int index, int id, const std::string& text, std::vector<std::string> answers,
                      std::array<std::int16_t, 7> correct, const std::string& type) {
        QuestionRecord& record = state.table.at(index);
        record.question_id = static_cast<std::int16_t>(id);
        record.question_text = text;
        for (std::size_t i = 0; i < answers.size(); ++i) record.answers[i + 1] = answers[i];
        record.correct = correct;
        record.question_type = type;
        record.category = 2;
    }

    struct ResultsHandle : testing::FakeWindow, ResultsWindowOperations {
        explicit ResultsHandle(std::vector<std::string>& events) : FakeWindow("finalscore", events), events_(events) {}
        std::optional<std::string> save_history() override {
            events_.push_back("save_history");
            return history_failure;
        }
        std::optional<std::string> history_failure;
        std::vector<std::string>& events_;
    };

    QuizWindow& window() { return *static_cast<QuizWindow*>(static_cast<WidgetWindow&>(windows.load(kQuizWindow)).widget()); }

    void start() {
        window().browser().on_page_painted([this] { ++painted; });
        windows.get<QuizWindowOperations>(kQuizWindow).show_quest();
        wait_painted();
    }

    void wait_painted() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return painted > seen_paints; }, 10000));
        seen_paints = painted;
    }

    void click_page(const std::string& selector) {
        const auto centre = probe_of(window().browser()).element_center(selector);
        ASSERT_TRUE(centre) << selector;
        QTest::mouseClick(window().browser().widget()->focusProxy(), Qt::LeftButton, {}, QPoint(centre->x, centre->y));
    }

    QVariant evaluate(const QString& script) {
        auto* view = qobject_cast<QWebEngineView*>(window().browser().widget());
        std::optional<QVariant> answer;
        view->page()->runJavaScript(script, [&](const QVariant& value) { answer = value; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 5000));
        return answer.value_or(QVariant());
    }

    void press(const char* button) {
        auto* found = window().findChild<QPushButton*>(button);
        ASSERT_NE(found, nullptr) << button;
        QTest::mouseClick(found, Qt::LeftButton);
        if (windows.is_loaded(kQuizWindow)) wait_painted();
    }

    // "&End and Grade This Quiz" from the menu: it asks, or ends, once the menu has closed.
    void end_and_grade() {
        const std::size_t seen = dialogs.shown.size();
        window().findChild<QAction*>("menu_quittest")->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.shown.size() > seen || !windows.is_loaded(kQuizWindow); }, 5000));
    }

    testing::RecordingStarter starter;
    testing::FakeTopWindows top_windows;
    testing::RecordingPdfReader desktop_reader;
    testing::ScriptedRandom random{{}, 0.0};
    WebEngineBrowserFactory browsers;
    std::vector<std::string> events;
    std::optional<std::string> history_failure;
    int painted = 0;
    int seen_paints = 0;
};

TEST_F(QuizWindowTest, aStudentAnswersAShortQuizWithClicksTypingAndBack) {
    start();
    EXPECT_EQ(window().windowTitle(), "Practice Test for Exam One - Question  1 of 3");
    click_page("input[value=V2]");
    press("cmd_buttons_0");
    EXPECT_EQ(window().findChild<QLabel*>("score")->text(), " 1/ 1");

    click_page("input[name=ans1]");
    click_page("input[name=ans2]");  // wrong: b instead of c
    press("cmd_buttons_1");          // Back grades the question it leaves
    EXPECT_EQ(state.table.at(2).result, result_code::wrong);
    EXPECT_EQ(window().findChild<QLabel*>("question_number")->text(), " 1");
    press("cmd_buttons_0");

    click_page("input[name=ans2]");  // the page shows the earlier choice; untick b
    click_page("input[name=ans3]");
    press("cmd_buttons_0");
    EXPECT_EQ(window().findChild<QLabel*>("Percent_Right")->text(), " 100.0%");

    if (const char* shot = std::getenv("QUIZDECK_SCREENSHOT")) window().grab().save(shot);
    click_page("input[name=txt_fill]");
    QTest::keyClicks(window().browser().widget()->focusProxy(), " frame-relay");
    dialogs.expect_choice("You have 1 unanswered question. End and grade now?", "End and Grade This Quiz", {"&Yes", "&No"}, 0);
    end_and_grade();

    EXPECT_EQ(state.table.at(1).result, result_code::right);
    EXPECT_EQ(state.table.at(2).result, result_code::right);
    EXPECT_EQ(state.table.at(3).result, result_code::not_graded);  // ending grades nothing more
    EXPECT_EQ(state.quiz.chosen_letters[2], " A C");
    EXPECT_EQ(state.quiz.quiz_position, 3);
    EXPECT_EQ(events, (std::vector<std::string>{"results shown", "load finalscore", "save_history"}));
    EXPECT_FALSE(windows.is_loaded(kQuizWindow));
    const std::string results = testing::read_file(folder / "41517.Alex.results");
    EXPECT_EQ(results.substr(0, 16), " 0, 1\r\n 0, 2\r\n 0");
    EXPECT_NE(results.find("\r\n 0, 11\r\n 0, 12\r\n 0, 13\r\n"), std::string::npos);
    EXPECT_EQ(settings.get(setting::num_times("41517")), "1");
}

TEST_F(QuizWindowTest, aNewFontRedrawsTheQuestionKeepingThePickedAnswer) {
    start();
    click_page("input[value=V2]");
    // The rendered box of the question's text " 1.) Pick b".
    const QString question_box =
        "(function () { var w = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);"
        " while (w.nextNode() && w.currentNode.textContent.indexOf('Pick b') < 0) {}"
        " var r = document.createRange(); r.selectNodeContents(w.currentNode);"
        " var b = r.getBoundingClientRect(); return [b.width, b.height]; })()";
    window().findChild<QAction*>("menusize_1")->trigger();
    wait_painted();
    const QVariantList at_8 = evaluate(question_box).toList();
    window().findChild<QAction*>("menusize_6")->trigger();
    wait_painted();
    const QVariantList at_20 = evaluate(question_box).toList();
    ASSERT_EQ(at_8.size(), 2);
    ASSERT_EQ(at_20.size(), 2);
    // The text is drawn at the chosen sizes: 20 points is two and a half times 8.
    EXPECT_NEAR(at_20[0].toDouble() / at_8[0].toDouble(), 2.5, 0.25);
    EXPECT_NEAR(evaluate("parseFloat(getComputedStyle(document.querySelector('label[for]')).fontSize)").toDouble(), 20 * 96 / 72.0,
                0.01);
    // The two faces are different fonts on this desktop (the program declares them).
    const double serif_width = at_20[0].toDouble();
    window().findChild<QAction*>("menufont_2")->trigger();
    wait_painted();
    EXPECT_GT(std::abs(evaluate(question_box).toList().value(0).toDouble() - serif_width), 0.5);
    EXPECT_EQ(settings.working.font_size, 20);
    EXPECT_EQ(settings.get(setting::saved_font), "20");
    EXPECT_TRUE(window().findChild<QAction*>("menusize_6")->isChecked());
    EXPECT_EQ(window().windowTitle(), "Practice Test for Exam One - Question  1 of 3");
    press("cmd_buttons_0");
    EXPECT_EQ(state.table.at(1).result, result_code::right);
}

// The letters after "&" in the window's captions: its access keys.
QString access_keys(QWidget& window) {
    QString keys;
    auto add = [&](const QString& caption) {
        const qsizetype amp = caption.indexOf('&');
        if (amp >= 0 && amp + 1 < caption.size()) keys += caption.at(amp + 1).toLower();
    };
    for (auto* button : window.findChildren<QAbstractButton*>()) add(button->text());
    for (QAction* menu : window.findChild<QMenuBar*>()->actions()) add(menu->text());
    return keys;
}

TEST_F(QuizWindowTest, aFlagStaysWithItsQuestionWhetherSetByAltRTheBoxOrTheMenu) {
    start();
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    auto* box = window().findChild<QCheckBox*>("flag_for_review");
    auto* entry = window().findChild<QAction*>("menu_flag");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(entry, nullptr);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    EXPECT_EQ(accessible->role(), QAccessible::CheckBox);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Flag for review");
    EXPECT_EQ(box->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    EXPECT_EQ(box->nextInFocusChain(), window().findChild<QPushButton*>("navigator_button"));
    EXPECT_EQ(box->nextInFocusChain()->nextInFocusChain(), window().findChild<QPushButton*>("exhibitbutton_0"));
    // Its key is its own: the answers take A to F.
    const QString keys = access_keys(window()) + "abcdef";
    EXPECT_EQ(keys.count('r'), 1) << keys.toStdString();

    QTest::keyClick(window().browser().widget()->focusProxy(), Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->isChecked(); }, 2000));  // an access key clicks after a short animation
    EXPECT_TRUE(entry->isChecked());
    press("cmd_buttons_0");
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(entry->isChecked());
    entry->trigger();
    EXPECT_TRUE(box->isChecked());
    press("cmd_buttons_0");
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_Space);  // flagged and unflagged again
    press("cmd_buttons_1");
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(entry->isChecked());

    dialogs.expect_choice("You have 3 unanswered questions and 2 flagged. End and grade now?", "End and Grade This Quiz",
                          {"&Yes", "&No", "&Review flagged"}, 0);
    end_and_grade();
    // The results window reads the flags after the quiz window is gone.
    EXPECT_TRUE(state.quiz.flagged_at(1));
    EXPECT_TRUE(state.quiz.flagged_at(2));
    EXPECT_FALSE(state.quiz.flagged_at(3));
}

// The names a screen reader reads for the navigator's cells.
QStringList cell_names(QListWidget& cells) {
    QStringList names;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&cells);
    for (int row = 0; row < list->childCount(); ++row) names << list->child(row)->text(QAccessible::Name);
    return names;
}

TEST_F(QuizWindowTest, theNavigatorJumpsForwardAndBackGradingTheAnswerOnScreen) {
    start();
    click_page("input[value=V2]");
    auto* flag = window().findChild<QCheckBox*>("flag_for_review");
    flag->click();
    window().findChild<QAction*>("menu_navigator")->trigger();
    NavigatorWindow* navigator = window().navigator();
    ASSERT_NE(navigator, nullptr);
    ASSERT_TRUE(navigator->isVisible());
    EXPECT_EQ(navigator->windowTitle(), "Question Navigator");
    QListWidget& cells = *navigator->cells();
    EXPECT_EQ(navigator->focusWidget(), &cells);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&cells)->text(QAccessible::Name), "Questions of the quiz");
    EXPECT_EQ(cell_names(cells),
              QStringList({"Question 1, current, not answered, flagged", "Question 2, not answered", "Question 3, not answered"}));
    EXPECT_EQ(cells.item(0)->text(), QString::fromUtf8("\xE2\x96\xB6 1 \xE2\x80\x93 \xE2\x9A\x91"));

    QTest::mouseClick(cells.viewport(), Qt::LeftButton, {}, cells.visualItemRect(cells.item(2)).center());
    wait_painted();
    EXPECT_FALSE(navigator->isVisible());
    EXPECT_EQ(window().findChild<QLabel*>("question_number")->text(), " 3");
    EXPECT_EQ(state.table.at(1).result, result_code::right);  // graded on the way, as Next does
    EXPECT_EQ(window().findChild<QLabel*>("score")->text(), " 1/ 1");
    EXPECT_FALSE(flag->isChecked());

    click_page("input[name=txt_fill]");
    QTest::keyClicks(window().browser().widget()->focusProxy(), "frame-relay");
    QTest::mouseClick(window().findChild<QPushButton*>("navigator_button"), Qt::LeftButton);
    ASSERT_TRUE(navigator->isVisible());
    EXPECT_EQ(cell_names(cells),
              QStringList({"Question 1, answered, flagged", "Question 2, not answered", "Question 3, current, not answered"}));
    cells.setCurrentRow(0);
    QTest::keyClick(&cells, Qt::Key_Return);
    wait_painted();
    EXPECT_EQ(window().findChild<QLabel*>("question_number")->text(), " 1");
    EXPECT_EQ(state.table.at(3).result, result_code::right);
    EXPECT_TRUE(flag->isChecked());
    // Escape closes the navigator without a jump.
    window().findChild<QAction*>("menu_navigator")->trigger();
    QTest::keyClick(&cells, Qt::Key_Escape);
    EXPECT_FALSE(navigator->isVisible());
    EXPECT_EQ(window().findChild<QLabel*>("question_number")->text(), " 1");
}

TEST_F(QuizWindowTest, inTestModeTheNavigatorOffersOnlyLaterQuestions) {
    settings.working.back_button = 0;
    start();
    press("cmd_buttons_0");
    window().findChild<QAction*>("menu_navigator")->trigger();
    QListWidget& cells = *window().navigator()->cells();
    EXPECT_EQ(cell_names(cells), QStringList({"Question 1, not answered, not available", "Question 2, current, not answered",
                                              "Question 3, not answered"}));
    EXPECT_FALSE(cells.item(0)->flags() & Qt::ItemIsEnabled);
    QTest::mouseClick(cells.viewport(), Qt::LeftButton, {}, cells.visualItemRect(cells.item(0)).center());
    cells.setCurrentRow(0);
    QTest::keyClick(&cells, Qt::Key_Return);
    EXPECT_EQ(window().findChild<QLabel*>("question_number")->text(), " 2");
    EXPECT_EQ(state.table.at(2).result, result_code::not_graded);

    cells.setCurrentRow(2);
    QTest::keyClick(&cells, Qt::Key_Return);
    wait_painted();
    EXPECT_EQ(window().findChild<QLabel*>("question_number")->text(), " 3");
    EXPECT_EQ(state.table.at(2).result, result_code::wrong);
}

TEST_F(QuizWindowTest, endingWithUnansweredQuestionsAsksFirst_noGoesOn_reviewGoesToTheFirstFlagged_yesEnds) {
    const std::string caption = "End and Grade This Quiz";
    const std::vector<std::string> with_review{"&Yes", "&No", "&Review flagged"};
    start();
    window().findChild<QCheckBox*>("flag_for_review")->click();
    click_page("input[value=V2]");
    press("cmd_buttons_0");

    dialogs.expect_choice("You have 2 unanswered questions and 1 flagged. End and grade now?", caption, with_review, 1);
    end_and_grade();
    ASSERT_TRUE(windows.is_loaded(kQuizWindow));
    EXPECT_EQ(window().findChild<QLabel*>("question_number")->text(), " 2");
    EXPECT_TRUE(events.empty());

    // Review flagged: the answer on screen is graded on the way, as a jump does.
    click_page("input[name=ans1]");
    dialogs.expect_choice("You have 2 unanswered questions and 1 flagged. End and grade now?", caption, with_review, 2);
    end_and_grade();
    wait_painted();
    EXPECT_EQ(window().findChild<QLabel*>("question_number")->text(), " 1");
    EXPECT_EQ(state.table.at(2).result, result_code::wrong);

    dialogs.expect_choice("You have 1 unanswered question and 1 flagged. End and grade now?", caption, with_review, 0);
    end_and_grade();
    EXPECT_FALSE(windows.is_loaded(kQuizWindow));
    EXPECT_EQ(events, (std::vector<std::string>{"results shown", "load finalscore", "save_history"}));
    EXPECT_EQ(state.quiz.quiz_position, 3);
}

TEST_F(QuizWindowTest, endingWithEveryQuestionAnsweredAsksNothing) {
    state.quiz.quiz_length = 1;
    start();
    click_page("input[value=V2]");
    press("cmd_buttons_1");  // Back grades the question and shows it again
    end_and_grade();
    EXPECT_FALSE(windows.is_loaded(kQuizWindow));
    EXPECT_EQ(events, (std::vector<std::string>{"results shown", "load finalscore", "save_history"}));
}

TEST_F(QuizWindowTest, inTestModeReviewFlaggedIsOfferedOnlyForFlagsStillAhead) {
    settings.working.back_button = 0;
    start();
    window().findChild<QCheckBox*>("flag_for_review")->click();
    press("cmd_buttons_0");
    // The flag lies behind, where Test Mode does not go back.
    dialogs.expect_choice("You have 3 unanswered questions and 1 flagged. End and grade now?", "End and Grade This Quiz",
                          {"&Yes", "&No"}, 1);
    end_and_grade();
    EXPECT_TRUE(windows.is_loaded(kQuizWindow));
}

TEST_F(QuizWindowTest, aTimedQuizThatExpiresWhileTheQuestionIsUpEndsAtOnceAndOnlyOnce) {
    settings.working.timed_state = 1;
    settings.working.time_limit = 30;
    state.setup.time_started = clock.time;
    start();
    dialogs.expect_choice("You have 3 unanswered questions. End and grade now?", "End and Grade This Quiz", {"&Yes", "&No"}, 0,
                          [&] {
        clock.time += std::chrono::minutes(31);
        dialogs.expect_message("Time has expired", "Practice Test for Exam One - Question  1 of 3");
        window().timer1_timer();
        EXPECT_EQ(events, (std::vector<std::string>{"results shown", "load finalscore", "save_history"}));
    });
    end_and_grade();
    EXPECT_EQ(events, (std::vector<std::string>{"results shown", "load finalscore", "save_history"}));
    EXPECT_EQ(settings.get(setting::num_times("41517")), "1");
}

TEST_F(QuizWindowTest, theExhibitOpensBesideTheQuizAndThenStaysWhereTheStudentPutsIt) {
    windows.define(kExhibitWindow, [this] { return create_exhibit_window(screen); });
    state.table.at(1).exhibit_files[1] = "scen_i01_1.txt";
    start();
    auto* exhibit_button = window().findChild<QPushButton*>("exhibitbutton_0");
    ASSERT_TRUE(exhibit_button->isVisible());
    QTest::mouseClick(exhibit_button, Qt::LeftButton);
    auto& exhibit = static_cast<ExhibitHandle&>(*windows.find(kExhibitWindow)).exhibit();
    ASSERT_TRUE(exhibit.isVisible());
    EXPECT_FALSE(exhibit.text().isEmpty());
    EXPECT_EQ(exhibit.frameGeometry().top(), window().frameGeometry().top());
    EXPECT_EQ(exhibit.height(), std::max(exhibit.minimumHeight(), window().frameGeometry().height()));

    exhibit.move(exhibit.x() + 40, exhibit.y() + 30);
    const QPoint placed = exhibit.pos();
    QTest::mouseClick(exhibit_button, Qt::LeftButton);
    EXPECT_EQ(exhibit.pos(), placed);
}

TEST_F(QuizWindowTest, enterMovesOn_andTheFocusIsBackOnThePageAfterEachNext) {
    start();
    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    for (const char* shown : {" 2", " 3"}) {
        QWidget* page = window().browser().widget()->focusProxy();
        ASSERT_TRUE(QTest::qWaitFor([&] { return page->hasFocus(); }, 5000));
        // The page's first answer has the focus, so keys reach the page.
        ASSERT_TRUE(QTest::qWaitFor([&] { return probe_of(window().browser()).element_center("input:focus").has_value(); }, 5000));
        QTest::keyClick(page, Qt::Key_Return);  // Enter outside the answer box is Next
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return window().findChild<QLabel*>("question_number")->text().toStdString() == shown; }, 10000));
    }
}

TEST_F(QuizWindowTest, controlsHaveRolesAndNames_andTimeUpKeepsTheAttempt) {
    settings.working.timed_state = 1;
    settings.working.time_limit = 1;
    state.setup.time_started = clock.time;
    struct Expected {
        const char* name;
        const char* accessible;
    };
    for (const Expected& e :
         {Expected{"cmd_buttons_0", "Next ->"}, Expected{"cmd_buttons_1", "<- Back"}, Expected{"Command1", "Review Chapter"}}) {
        auto* button = window().findChild<QPushButton*>(e.name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::Button) << e.name;
        EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), e.accessible);
        EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    }
    EXPECT_TRUE(window().findChild<QAction*>("menu_backbutton")->isChecked());

    start();
    // Each tick shows the minutes left, cut down to tenths; time is up once
    // more than the limit has passed.
    clock.time += std::chrono::seconds(57);
    window().timer1_timer();
    EXPECT_EQ(window().windowTitle(), "Practice Test for Exam One - Question  1 of 3 ---  Time Left: 0.1 min.");
    EXPECT_EQ(window().findChild<QLabel*>("lbltime")->text(), " 0.1 min.");
    clock.time += std::chrono::seconds(3);
    window().timer1_timer();
    EXPECT_EQ(window().findChild<QLabel*>("lbltime")->text(), " 0 min.");
    ASSERT_TRUE(windows.is_loaded(kQuizWindow));

    clock.time += std::chrono::seconds(1);
    dialogs.expect_message("Time has expired", "Practice Test for Exam One - Question  1 of 3 ---  Time Left: 0 min.");
    window().timer1_timer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.is_loaded(kQuizWindow); }, 10000));
    EXPECT_EQ(events, (std::vector<std::string>{"results shown", "load finalscore", "save_history"}));
    EXPECT_EQ(settings.working.timed_state, 99);
    EXPECT_TRUE(std::filesystem::exists(folder / "41517.Alex.results"));
}

TEST_F(QuizWindowTest, exerciseQuestionsPrepareTheirFilesAndStartTheirProgramEachClick) {
    QuestionRecord& console = state.table.at(1);
    console.diagram_files[1] = "xxsim";
    console.exhibit_files[2] = "2950";
    console.answers = {"", "[hostname]R1", "", "", "", "", ""};
    QuestionRecord& drag = state.table.at(2);
    drag.diagram_files[1] = "xxxdnd";
    drag.answers = {"", "14", "", "", "", "", ""};
    start();
    EXPECT_EQ(testing::read_file(folder / "sim.txt"), "Pick b\r\n");
    auto* launch = window().findChild<QPushButton*>("cmd_buttons_2");
    ASSERT_TRUE(launch->isVisible());
    QTest::mouseClick(launch, Qt::LeftButton);
    QTest::mouseClick(launch, Qt::LeftButton);
    ASSERT_EQ(starter.starts.size(), 2u);
    EXPECT_EQ(starter.starts[1].program, std::string(QUIZDECK_STAGE_DIR) + "/gridlab");
    EXPECT_EQ(starter.starts[1].arguments, std::vector<std::string>{"2950"});

    testing::write_file(folder / "out.ini", "[general]\r\nhostname= r1 \r\n");
    // A new font redraws only the page: the finished lab's result stays.
    window().findChild<QAction*>("menufont_2")->trigger();
    wait_painted();
    EXPECT_TRUE(std::filesystem::exists(folder / "out.ini"));
    press("cmd_buttons_0");
    EXPECT_EQ(state.table.at(1).result, result_code::right);
    // What the console held is kept for the explanation and the review.
    ASSERT_EQ(state.quiz.lab_findings[1].size(), 1u);
    EXPECT_EQ(state.quiz.lab_findings[1][0].found, "r1");
    EXPECT_TRUE(state.quiz.lab_findings[1][0].right);
    ASSERT_TRUE(window().findChild<QPushButton*>("cmd_buttons_3")->isVisible());
    starter.succeed = false;
    QTest::mouseClick(window().findChild<QPushButton*>("cmd_buttons_3"), Qt::LeftButton);
    EXPECT_EQ(starter.starts.back().arguments, std::vector<std::string>{"41517Q14"});
    EXPECT_NE(testing::read_file(folder / "error.log").find("launch_dnd()"), std::string::npos);
}

TEST_F(QuizWindowTest, aRecordThatCannotBeWrittenIsToldOnceWithItsReasonsAndLogged) {
    start();
    std::filesystem::create_directory(folder / "41517.Alex.results");
    const std::optional<std::string> results_why = replace_file("41517.Alex.results", "");
    ASSERT_TRUE(results_why.has_value());
    history_failure = "history.41517.Alex.htm: No space left on device";
    dialogs.expect_choice("You have 3 unanswered questions. End and grade now?", "End and Grade This Quiz", {"&Yes", "&No"}, 0);
    dialogs.expect_message(unsaved_record_message({"41517.Alex.results: " + *results_why, *history_failure}), kProgramTitle);
    end_and_grade();
    EXPECT_FALSE(windows.is_loaded(kQuizWindow));
    EXPECT_NE(testing::read_file(folder / "error.log").find("quest save_missed_flags()"), std::string::npos);
}

TEST_F(QuizWindowTest, bookMessagesCarryTheProgramTitleAndTheEmbedOptionIsAPlainDecimal) {
    state.table.at(1).ref_tag = "12##";
    settings.working.practice_mode = 1;
    state.paths.book_pdf_path = (folder / "no_book.pdf").string();
    start();
    dialogs.expect_message("Could not find " + state.paths.book_pdf_path, kProgramTitle);
    QTest::mouseClick(window().findChild<QPushButton*>("Command1"), Qt::LeftButton);

    auto* embed = window().findChild<QAction*>("mnuEmbed");
    for (const char* stored : {"1", "0"}) {
        embed->trigger();
        EXPECT_EQ(settings.get(setting::embed_media_player), stored);
    }
}

}  // namespace
}  // namespace qd
