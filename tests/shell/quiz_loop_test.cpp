// The whole loop a student goes through, in the program's own windows and the
// real browser: start, main menu, a quiz with one wrong answer and its
// explanation, the results, a retake of exactly the wrong answer, and the
// history report holding both quizzes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <sstream>

#include "../gridlab/lab_transcript.h"
#include "accessibility_check.h"
#include "common/book_viewer_window.h"
#include "common/picture_window.h"
#include "console_desk.h"
#include "gui_test.h"
#include "platform/qt/screen_fit.h"
#include "platform/qt/window_accessibility.h"
#include "platform/webengine/webengine_browser.h"
#include "program_world.h"
#include "record/record_database.h"
#include "record/study_record.h"
#include "results/explanation_window.h"
#include "results/results_file.h"
#include "results/results_window.h"
#include "results/review_window.h"
#include "runner/exhibit_window.h"
#include "runner/navigator_window.h"
#include "runner/quiz_window.h"
#include "setup/main_menu_window.h"
#include "shell/program_windows.h"

namespace qd {
namespace {

// The program's browsers, each counting the pages it has drawn, so the test
// waits for a page the way a student waits to see it.
class PaintCountingBrowsers final : public BrowserFactory {
public:
    void warm_up() override { engine_.warm_up(); }
    std::unique_ptr<Browser> create() override {
        auto browser = engine_.create();
        browser->on_page_painted([this] { ++painted; });
        return browser;
    }
    int painted = 0;

private:
    WebEngineBrowserFactory engine_;
};

class QuizLoop : public ::testing::Test, protected testing::ProgramWorld {
protected:
    static void SetUpTestSuite() {
        testing::gui_application();
        install_window_accessibility();        // as the program's main does
        browsers = new PaintCountingBrowsers;  // one engine for the whole program
    }

    QuizLoop() {
        services.browsers = browsers;
        services.recorder = &study_record;
        define_program_windows(services, platform, {QUIZDECK_STAGE_DIR, ""});
    }
    // What the windows put off (the results window's unload of the quiz)
    // runs while the program's world is still there.
    void TearDown() override { QCoreApplication::processEvents(); }

    template <class Window>
    Window& widget_of(const char* name) {
        return *static_cast<Window*>(static_cast<WidgetWindow*>(windows.find(name))->widget());
    }
    template <class Widget = QWidget>
    Widget& control(QWidget& window, const char* name) {
        auto* widget = window.findChild<Widget*>(name);
        if (!widget) throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }
    void tick(QWidget& window, const char* box, bool ticked) {
        auto& button = control<QAbstractButton>(window, box);
        if (button.isChecked() != ticked) QTest::mouseClick(&button, Qt::LeftButton);
    }

    // Runs `act` and waits until the browser has drawn the page it leads to.
    void and_wait_for_page(const std::function<void()>& act) {
        const int before = browsers->painted;
        act();
        ASSERT_TRUE(QTest::qWaitFor([&] { return browsers->painted > before; }, 15000)) << "no page was drawn";
    }

    QuizWindow& quiz_window() { return widget_of<QuizWindow>(kQuizWindow); }

    void click_page(const std::string& selector) {
        const auto centre = probe_of(quiz_window().browser()).element_center(selector);
        ASSERT_TRUE(centre) << selector;
        QTest::mouseClick(quiz_window().browser().widget()->focusProxy(), Qt::LeftButton, {}, QPoint(centre->x, centre->y));
    }

    // Picks the right answers of the question on screen, or one wrong answer.
    void answer(bool right) {
        const QuizState& quiz = state.quiz;
        const QuestionRecord& question = quiz.current_question;
        const bool radio = quiz.input_kind == InputKind::radio_button;
        ASSERT_TRUE(radio || quiz.input_kind == InputKind::check_box)
            << "question " << question.question_id << " is " << input_kind_name(quiz.input_kind);
        for (int i = 1; i <= quiz.answer_count; ++i) {
            if ((question.correct[i] == 1) != right) continue;
            click_page(radio ? "input[value=V" + std::to_string(i) + "]" : "input[name=ans" + std::to_string(i) + "]");
            if (radio || !right) return;
        }
    }

    // Presses Next; `while_explained` runs in the explanation window when one opens.
    void next(const std::function<void(ExplanationWindow&)>& while_explained = {}) {
        bool explained = false;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* handle = static_cast<ExplanationHandle*>(windows.find(kExplanationWindow));
            ExplanationWindow* window = handle ? handle->current() : nullptr;
            if (!window || !window->isVisible()) return;
            poll.stop();
            explained = true;
            if (while_explained) while_explained(*window);
            QTest::mouseClick(window->findChild<QPushButton*>("Closeb"), Qt::LeftButton);
        });
        poll.start();
        QTest::mouseClick(&control<QPushButton>(quiz_window(), "cmd_buttons_0"), Qt::LeftButton);
        EXPECT_EQ(explained, static_cast<bool>(while_explained));
    }

    std::vector<std::string> history_lines() {
        std::istringstream report(testing::read_file(history_report_name(state.bank.product_number, "ALEX")));
        std::vector<std::string> lines;
        for (std::string line; std::getline(report, line);) lines.push_back(line);
        return lines;
    }

    // Types a lab's own solution at the console, line by line.
    void type_solution(gridlab::ConsoleWindow& console, const QuestionRecord& lab) {
        auto& input = control<QLineEdit>(console, "command_line");
        for (const std::string& command : gridlab::commands_of(gridlab::transcript_of(lab))) {
            QTest::keyClicks(&input, QString::fromStdString(command));
            QTest::keyClick(&input, Qt::Key_Return);
        }
    }

    // Start on the start window, and the student's name typed into the main menu.
    MainMenuWindow& main_menu_of(const char* student) {
        QTest::mouseClick(&control(widget_of<QWidget>(kStartWindow), "Image4_0"), Qt::LeftButton);
        auto& menu = static_cast<MainMenuHandle*>(windows.find(kMainMenu))->window();
        if (student) {
            auto& name = control<QLineEdit>(menu, "txtstudentname");
            name.selectAll();
            QTest::keyClicks(&name, student);
        }
        return menu;
    }

    // From the start window, a quiz of the lab category alone, in its order.
    void start_lab_quiz(const char* student = nullptr) {
        MainMenuWindow& menu = main_menu_of(student);
        tick(menu, "answer_when_wrong", true);  // a lab graded wrong would open its explanation
        tick(menu, "answer_when_right", false);
        tick(menu, "random_questions", false);
        control<QTabWidget>(menu, "SSTab1").setCurrentIndex(2);
        QTest::mouseClick(&control(menu, "cmd_remove_all_cat"), Qt::LeftButton);
        auto& skipped = control<QListWidget>(menu, "lst_cats_not_to_ask");
        skipped.clearSelection();
        const auto labs = skipped.findItems("Simul", Qt::MatchStartsWith);
        ASSERT_EQ(labs.size(), 1);
        labs.front()->setSelected(true);
        QTest::mouseClick(&control(menu, "cmd_add_cat"), Qt::LeftButton);
        and_wait_for_page([&] { QTest::mouseClick(&control(menu, "cmd_start_cat_quiz"), Qt::LeftButton); });
        ASSERT_EQ(state.quiz.input_kind, InputKind::sim);
    }

    // What another program reading the record sees, one query at a time.
    std::vector<std::string> recorded(const std::string& query) {
        SQLite::Database database(kStudyRecordFile);
        SQLite::Statement statement(database, query);
        std::vector<std::string> rows;
        while (statement.executeStep()) {
            std::string row;
            for (int column = 0; column < statement.getColumnCount(); ++column)
                row += (column ? "|" : "") + statement.getColumn(column).getString();
            rows.push_back(row);
        }
        return rows;
    }

    static inline PaintCountingBrowsers* browsers = nullptr;
    StudyRecord study_record{kStudyRecordFile, log, clock};
    // The exercise programs the quiz starts, and the desktop's windows.
    testing::ConsoleDesk desk{log.notices_for(guard::console_files.handler, guard::console_files.source)};
    testing::ScriptedRandom random;
    testing::RecordingPdfReader desktop_reader;
    WindowPlatform platform{desk, random, clock, desk, *browsers, desktop_reader};
};

TEST_F(QuizLoop, quizExplanationResultsRetakeOfTheWrongAnswerAndHistory) {
    windows.load(kStartWindow);
    MainMenuWindow& menu = main_menu_of("Alex");
    ASSERT_TRUE(menu.isVisible());
    tick(menu, "answer_when_wrong", true);
    tick(menu, "answer_when_right", false);
    tick(menu, "random_questions", false);
    tick(menu, "random_answers", false);
    and_wait_for_page([&] { QTest::mouseClick(&control(menu, "Command1"), Qt::LeftButton); });

    // Three questions: right, wrong (its explanation opens), right; then the quiz is ended.
    const int first_id = state.quiz.current_question.question_id;
    answer(true);
    and_wait_for_page([&] { next(); });
    // The answer is on disk while the next question is on screen.
    EXPECT_EQ(recorded("SELECT question_id, right FROM answers"), std::vector<std::string>{std::to_string(first_id) + "|1"});
    const int wrong_id = state.quiz.current_question.question_id;
    answer(false);
    std::string explanation;
    and_wait_for_page([&] {
        next([&](ExplanationWindow& window) {
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return probe_of(window.browser()).visible_text().find("Incorrect") != std::string::npos; }, 15000));
            explanation = probe_of(window.browser()).visible_text();
            // Opened from Next, the explanation holds Next until it is closed.
            EXPECT_FALSE(control<QPushButton>(quiz_window(), "cmd_buttons_0").isEnabled());
        });
    });
    EXPECT_NE(explanation.find("Incorrect. Your answer was:"), std::string::npos) << explanation;
    EXPECT_NE(explanation.find("The correct answer(s):"), std::string::npos) << explanation;
    answer(true);
    next();
    dialogs.expect_choice("You have 47 unanswered questions. End and grade now?", "End and Grade This Quiz", {"&Yes", "&No"}, 0);
    control<QAction>(quiz_window(), "menu_quittest").trigger();

    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.is_loaded(kResultsWindow); }, 5000));
    auto& results = widget_of<QWidget>(kResultsWindow);
    EXPECT_EQ(control<QLabel>(results, "rig").text(), " 2");
    EXPECT_EQ(control<QLabel>(results, "tot").text(), " 50");
    ASSERT_EQ(state.retake.missed_count, 1);
    EXPECT_EQ(state.retake.missed_ids[1], wrong_id);
    QTest::mouseClick(&control(results, "whichq_0"), Qt::LeftButton);  // Missed
    ASSERT_EQ(control<QListWidget>(results, "List1").count(), 1);
    EXPECT_NE(control<QListWidget>(results, "List1").item(0)->text().indexOf("[" + QString::number(wrong_id) + "]"), -1);

    // The retake asks exactly the question answered wrong, without the main menu.
    // It starts before the event loop has come round, so the results window's
    // put-off unload of the finished quiz's window must spare the retake's.
    and_wait_for_page([&] { QTest::mouseClick(&control(results, "cmd_retake"), Qt::LeftButton); });
    // The main menu of the retake is a new one, loaded hidden.
    EXPECT_FALSE(static_cast<MainMenuHandle*>(windows.find(kMainMenu))->window().isVisible());
    EXPECT_EQ(state.quiz.quiz_length, 1);
    EXPECT_EQ(state.quiz.current_question.question_id, wrong_id);
    answer(true);
    next();
    ASSERT_TRUE(windows.is_loaded(kResultsWindow));
    EXPECT_EQ(control<QLabel>(widget_of<QWidget>(kResultsWindow), "Label4").text(), "Congratulations, you scored perfect!");

    // Newest first under the header: the retake, then the first quiz.
    const std::vector<std::string> history = history_lines();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_NE(history[0].find("ALEX"), std::string::npos);
    EXPECT_NE(history[1].find("100%&nbsp;&nbsp;(1/1)"), std::string::npos) << history[1];
    EXPECT_NE(history[2].find("(2/50)"), std::string::npos) << history[2];
    EXPECT_EQ(state.quiz.missed_flags[wrong_id], "0");

    // The record holds both quizzes as the history report does, and every graded answer.
    const std::string product = state.bank.product_number;
    EXPECT_EQ(recorded("SELECT student, product, length, right_count, outcome, practice FROM quizzes ORDER BY id"),
              (std::vector<std::string>{"ALEX|" + product + "|50|2|graded|1", "ALEX|" + product + "|1|1|graded|1"}));
    const std::vector<std::string> answers = recorded("SELECT quiz_id, question_id, right, seconds >= 0 FROM answers ORDER BY id");
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_EQ(answers[1], "1|" + std::to_string(wrong_id) + "|0|1");
    EXPECT_EQ(answers[3], "2|" + std::to_string(wrong_id) + "|1|1");
}

// The program the next test stops: it takes three questions of a quiz and is
// killed with SIGKILL on the fourth, as a crash or a power cut would stop it.
// It runs only as that test's child, in that test's folder.
TEST_F(QuizLoop, takesThreeQuestionsAndIsKilled) {
    if (!std::getenv("QUIZDECK_TEST_FOLDER")) GTEST_SKIP() << "the program aQuizCutShortByAKillIsResumed stops";
    windows.load(kStartWindow);
    MainMenuWindow& menu = main_menu_of("Alex");
    tick(menu, "answer_when_wrong", false);
    tick(menu, "answer_when_right", false);
    tick(menu, "random_questions", false);
    tick(menu, "random_answers", true);
    tick(menu, "backb", true);
    and_wait_for_page([&] { QTest::mouseClick(&control(menu, "Command1"), Qt::LeftButton); });
    for (int question = 1; question <= 3; ++question) {
        if (question == 2) QTest::mouseClick(&control(quiz_window(), "flag_for_review"), Qt::LeftButton);
        answer(question != 2);
        and_wait_for_page([&] { next(); });
    }
    ASSERT_EQ(state.quiz.quiz_position, 4);
    ::kill(::getpid(), SIGKILL);
}

// Started again after the kill, the start window offers the quiz where it was
// left; it goes on with the three answers, their shuffled answers, the flag
// and the score intact, and ends as any quiz does: one history entry, the results file, one quiz in the
// record with every answer.
TEST_F(QuizLoop, aQuizCutShortByAKillIsResumedWhereItWasLeft) {
    QProcess killed;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUIZDECK_TEST_FOLDER", QString::fromStdString(folder.path().string()));
    killed.setProcessEnvironment(environment);
    killed.setProcessChannelMode(QProcess::ForwardedChannels);
    killed.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=QuizLoop.takesThreeQuestionsAndIsKilled"});
    ASSERT_TRUE(killed.waitForFinished(120000));
    ASSERT_EQ(killed.exitStatus(), QProcess::CrashExit);
    const std::vector<std::string> kept = recorded("SELECT question_id, right FROM answers ORDER BY id");
    ASSERT_EQ(kept.size(), 3u);

    windows.load(kStartWindow);
    dialogs.expect_choice("Your last quiz was not finished.", "Resume Quiz",
                          {"&Resume the quiz you left at question 4 of 50", "Start &Fresh", "&Cancel"}, 0);
    and_wait_for_page([&] { QTest::mouseClick(&control(widget_of<QWidget>(kStartWindow), "Image4_0"), Qt::LeftButton); });
    ASSERT_TRUE(windows.is_loaded(kQuizWindow));
    EXPECT_FALSE(static_cast<MainMenuHandle*>(windows.find(kMainMenu))->window().isVisible());
    EXPECT_EQ(state.quiz.quiz_position, 4);
    EXPECT_EQ(settings.working.student_name, "ALEX");
    EXPECT_EQ(control<QLabel>(quiz_window(), "question_number").text(), " 4");
    EXPECT_EQ(control<QLabel>(quiz_window(), "score").text(), " 2/ 3");
    EXPECT_TRUE(state.quiz.flagged_at(2));
    const int fourth_id = state.quiz.current_question.question_id;

    // Back to the third question shows it as answered, in its shuffled order:
    // Next grades it right again.
    and_wait_for_page([&] { QTest::mouseClick(&control(quiz_window(), "cmd_buttons_1"), Qt::LeftButton); });
    ASSERT_EQ(state.quiz.quiz_position, 3);
    and_wait_for_page([&] { next(); });
    EXPECT_EQ(control<QLabel>(quiz_window(), "score").text(), " 2/ 4") << "the third right, the fourth left blank";
    answer(true);
    and_wait_for_page([&] { next(); });
    dialogs.expect_choice("You have 46 unanswered questions and 1 flagged. End and grade now?", "End and Grade This Quiz",
                          {"&Yes", "&No", "&Review flagged"}, 0);
    control<QAction>(quiz_window(), "menu_quittest").trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.is_loaded(kResultsWindow); }, 5000));
    EXPECT_EQ(control<QLabel>(widget_of<QWidget>(kResultsWindow), "rig").text(), " 3");

    const std::vector<std::string> history = history_lines();
    ASSERT_EQ(history.size(), 2u) << "the header and the one quiz";
    EXPECT_NE(history[1].find("(3/50)"), std::string::npos) << history[1];
    MissedFlags flags;
    load_results_file(flags, results_file_name(state.bank.product_number, "ALEX"));
    EXPECT_EQ(flags[static_cast<std::size_t>(fourth_id)], "0");
    EXPECT_EQ(flags[static_cast<std::size_t>(std::stoi(kept[1].substr(0, kept[1].find('|'))))], "1");
    EXPECT_EQ(recorded("SELECT length, right_count, outcome FROM quizzes"), std::vector<std::string>{"50|3|graded"});
    EXPECT_EQ(recorded("SELECT count(*) FROM answers WHERE quiz_id = 1"), std::vector<std::string>{"4"});
    EXPECT_EQ(recorded("SELECT count(*) FROM quiz_progress"), std::vector<std::string>{"0"});
}

// A lab is graded from what the console shows: with the console still open at
// Next, and after the console was closed and started again for the same lab.
TEST_F(QuizLoop, aLabGradesWhatTheConsoleShowsWhetherLeftOpenOrClosedAndStartedAgain) {
    windows.load(kStartWindow);
    start_lab_quiz();
    QuizWindow& quiz = quiz_window();
    auto& next_button = control<QPushButton>(quiz, "cmd_buttons_0");
    auto& launch = control<QPushButton>(quiz, "cmd_buttons_2");

    // Solved, and Next pressed with the console still open.
    ASSERT_EQ(state.quiz.input_kind, InputKind::sim);
    const int first_lab = state.quiz.current_index;
    QTest::mouseClick(&launch, Qt::LeftButton);
    ASSERT_NE(desk.open_console(), nullptr);
    EXPECT_EQ(quiz.focusWidget(), &next_button) << "Enter after the console closes must not start it again";
    type_solution(*desk.open_console(), state.quiz.current_question);
    and_wait_for_page([&] { next(); });
    EXPECT_EQ(state.table.at(first_lab).result, result_code::right);
    EXPECT_EQ(desk.open_count(), 0u) << "the console of the graded lab is closed, not left over the next question";

    // Solved, left with "exit", started again, closed, and Enter pressed.
    ASSERT_EQ(state.quiz.input_kind, InputKind::sim);
    const int second_lab = state.quiz.current_index;
    QTest::mouseClick(&launch, Qt::LeftButton);
    type_solution(*desk.open_console(), state.quiz.current_question);
    for (const char* leave : {"end", "exit"}) {
        QTest::keyClicks(&control<QLineEdit>(*desk.open_console(), "command_line"), leave);
        QTest::keyClick(&control<QLineEdit>(*desk.open_console(), "command_line"), Qt::Key_Return);
    }
    ASSERT_EQ(desk.open_console(), nullptr);
    EXPECT_EQ(quiz.focusWidget(), &next_button);
    QTest::mouseClick(&launch, Qt::LeftButton);
    ASSERT_NE(desk.open_console(), nullptr);
    QTest::mouseClick(&control(*desk.open_console(), "exit_button"), Qt::LeftButton);
    and_wait_for_page([&] { QTest::keyClick(quiz.focusWidget(), Qt::Key_Return); });
    EXPECT_EQ(state.table.at(second_lab).result, result_code::right);
}

// A symbolic link planted in the place of each file a quiz writes, to a file
// elsewhere or to nothing: the quiz replaces each link by a plain file of its
// own (the writable check refuses it instead), the linked file stays as it
// was (or is never made), and "error.log" tells of each link once.
TEST_F(QuizLoop, aLinkPlantedInPlaceOfAnyFileTheQuizWritesIsReplacedAndWhatItNamedIsLeftAlone) {
    namespace fs = std::filesystem;
    struct Planted {
        std::string file;
        bool target_exists;
        bool logged;
        bool refused = false;  // the link stays, and the file is not written
    };
    // The product's files are named after its number, known once the bank is loaded.
    const std::vector<Planted> before_start = {{"file.wrt", false, true, true}, {"error.log", true, true}};
    const fs::path elsewhere = folder / "elsewhere";
    fs::create_directories(elsewhere);
    fs::create_directories(folder / "config");
    auto plant = [&](const Planted& planted, std::size_t index) {
        const fs::path target = elsewhere / std::to_string(index);
        if (planted.target_exists) testing::write_file(target, "kept");
        fs::create_symlink(target, planted.file);
    };
    for (std::size_t i = 0; i < before_start.size(); ++i) plant(before_start[i], i);
    dialogs.expect_message("You do not appear to have file system permissions.  Please log off and log on as administrator.",
                           "File Permissions");
    windows.load(kStartWindow);
    const std::string& product = state.bank.product_number;
    std::vector<Planted> planted = before_start;
    for (Planted later : std::initializer_list<Planted>{{"testing.log", true, true},
                                                        {"temp.hist", false, true},
                                                        {results_file_name(product, "ALEX"), true, true},
                                                        {history_report_name(product, "ALEX"), false, true},
                                                        {"sim.txt", true, true},
                                                        {"sim_showme.txt", false, true},
                                                        {"out.ini", false, true},
                                                        {"config/velqor.ini", true, true},
                                                        {"config/velqortest.ini", false, true}}) {
        plant(later, planted.size());
        planted.push_back(later);
    }

    start_lab_quiz("Alex");
    QTest::mouseClick(&control<QPushButton>(quiz_window(), "cmd_buttons_2"), Qt::LeftButton);
    ASSERT_NE(desk.open_console(), nullptr);
    type_solution(*desk.open_console(), state.quiz.current_question);
    dialogs.expect_choice("You have 20 unanswered questions. End and grade now?", "End and Grade This Quiz", {"&Yes", "&No"}, 0);
    control<QAction>(quiz_window(), "menu_quittest").trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.is_loaded(kResultsWindow); }, 5000));

    const std::string logged = testing::read_file("error.log");
    for (std::size_t i = 0; i < planted.size(); ++i) {
        SCOPED_TRACE(planted[i].file);
        const fs::path target = elsewhere / std::to_string(i);
        EXPECT_EQ(fs::is_symlink(planted[i].file), planted[i].refused);
        if (!planted[i].refused) {
            EXPECT_TRUE(fs::is_regular_file(planted[i].file));
        }
        if (planted[i].target_exists) {
            EXPECT_EQ(testing::read_file(target), "kept");
        } else {
            EXPECT_FALSE(fs::exists(target));
        }
        const std::string notice = planted[i].file + " is a symbolic link to " + target.string();
        const auto first = logged.find(notice);
        EXPECT_EQ(first != std::string::npos, planted[i].logged) << logged;
        if (first != std::string::npos) {
            EXPECT_EQ(logged.find(notice, first + 1), std::string::npos) << "told once";
        }
    }
}

// The free area of a screen (a panel of 32 pixels at the top) in the logical
// pixels the program works in at a scale factor.
struct ScreenAtScale {
    int width;
    int height;
    double scale;
    QRect area() const {
        const int panel = 32;
        return QRect(0, static_cast<int>(panel / scale), static_cast<int>(width / scale),
                     static_cast<int>((height - panel) / scale));
    }
};

// Every window, fitted as it opens on each screen, lies inside its free area.
void expect_fits_every_screen(QWidget& window) {
    const ScreenAtScale screens[] = {{1366, 768, 1.0},  {1366, 768, 1.5},  {1366, 768, 2.0},
                                     {2560, 1600, 1.0}, {2560, 1600, 1.5}, {2560, 1600, 2.0}};
    const QSize natural = window.size();
    for (const ScreenAtScale& screen : screens) {
        SCOPED_TRACE(window.objectName().toStdString() + " on " + std::to_string(screen.width) + "x" +
                     std::to_string(screen.height) + " at " + std::to_string(screen.scale));
        window.resize(natural);
        window.move(screen.area().right() - natural.width() / 2, screen.area().top() + 10);  // half off the screen
        fit_window_into(window, screen.area());
        EXPECT_TRUE(screen.area().contains(window.frameGeometry()))
            << window.frameGeometry().width() << "x" << window.frameGeometry().height() << " at " << window.x() << ","
            << window.y();
        EXPECT_LE(window.minimumWidth(), screen.area().width());
        EXPECT_LE(window.minimumHeight(), screen.area().height());
        if (screen.area().width() >= natural.width() && screen.area().height() >= natural.height()) {
            EXPECT_EQ(window.size(), natural);  // a window that fits keeps its size
        }
    }
}

void expect_accessible_and_fitting(QWidget& window) {
    testing::expect_window_described(window);
    expect_fits_every_screen(window);
}

// Each of the program's windows on the way through a quiz, as a screen reader
// sees it through Qt's accessibility, and on small and large screens.
TEST_F(QuizLoop, everyWindowIsAFrameOrDialogNamedByItsTitle_everyControlSaysWhatItDoes_andItFitsTheScreen) {
    windows.load(kStartWindow);
    expect_accessible_and_fitting(widget_of<QWidget>(kStartWindow));
    QTest::mouseClick(&control(widget_of<QWidget>(kStartWindow), "Image4_0"), Qt::LeftButton);
    auto& menu = static_cast<MainMenuHandle*>(windows.find(kMainMenu))->window();
    expect_accessible_and_fitting(menu);
    tick(menu, "answer_when_wrong", false);
    tick(menu, "answer_when_right", false);
    and_wait_for_page([&] { QTest::mouseClick(&control(menu, "Command1"), Qt::LeftButton); });
    expect_accessible_and_fitting(quiz_window());
    control<QAction>(quiz_window(), "menu_navigator").trigger();
    ASSERT_NE(quiz_window().navigator(), nullptr);
    expect_accessible_and_fitting(*quiz_window().navigator());
    if (const char* shot = std::getenv("QUIZDECK_NAVIGATOR_SHOT")) quiz_window().navigator()->grab().save(shot);
    quiz_window().navigator()->hide();

    auto& exhibit = dynamic_cast<ExhibitHandle&>(windows.load(kExhibitWindow)).exhibit();
    show_exhibit(exhibit, state.paths.data_folder, "scen_i01_1.txt");
    expect_accessible_and_fitting(exhibit);
    ASSERT_TRUE(show_picture_from_page("picture Diagram 1\n" + state.paths.data_folder + "scen_i01_1.png"));
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* picture = dynamic_cast<PictureWindow*>(top)) {
            expect_accessible_and_fitting(*picture);
            EXPECT_EQ(picture->windowTitle(), "Diagram 1");
            EXPECT_FALSE(picture->picture()->pixmap().isNull());
            picture->hide();
        }

    dialogs.expect_choice("You have 50 unanswered questions. End and grade now?", "End and Grade This Quiz", {"&Yes", "&No"}, 0);
    control<QAction>(quiz_window(), "menu_quittest").trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.is_loaded(kResultsWindow); }, 5000));
    expect_accessible_and_fitting(widget_of<QWidget>(kResultsWindow));
    auto& results = widget_of<ResultsWindow>(kResultsWindow);
    QTest::mouseClick(&control<QPushButton>(results, "cmd_review"), Qt::LeftButton);
    ASSERT_NE(results.review_window(), nullptr);
    expect_accessible_and_fitting(*results.review_window());
    results.review_window()->hide();
    windows.load(kFlashCardWindow);
    expect_accessible_and_fitting(widget_of<QWidget>(kFlashCardWindow));
    BookViewerWindow book([](const std::string&, int) {});
    expect_accessible_and_fitting(book);
}

}  // namespace
}  // namespace qd
