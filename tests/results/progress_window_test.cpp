#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "accessibility_check.h"
#include "bank/bank_loader.h"
#include "common/program_title.h"
#include "gui_test.h"
#include "platform/qt/window_accessibility.h"
#include "program_world.h"
#include "record/record_database.h"
#include "record/study_record.h"
#include "results/progress_window.h"

namespace qd {
namespace {

using Clock = std::chrono::system_clock;

class ProgressWindowTest : public ::testing::Test, protected testing::ProgramWorld {
protected:
    static void SetUpTestSuite() {
        testing::gui_application();
        install_window_accessibility();  // as the program's main does
    }

    ProgressWindowTest() {
        state.paths.program_folder = folder.path().string() + "/program/";
        init_product(state.paths, state.table, state.bank);
        number_questions(state.table);
        services.recorder = &record;
    }

    // A quiz of ALEX answering the table's records `ids`, right where `right` says.
    void quiz(const std::vector<std::pair<int, bool>>& answers) {
        record.quiz_started({"ALEX", state.bank.product_number, static_cast<int>(answers.size()), true, false});
        int right = 0;
        for (const auto& [index, correct] : answers) {
            now += std::chrono::seconds(20);
            const QuestionRecord& question = state.table.at(index);
            record.answer_graded({question.question_id, question.category, "A", correct, 20});
            right += correct ? 1 : 0;
        }
        record.quiz_ended(QuizEnding::graded, right);
        now += std::chrono::hours(24);
    }
    template <class Widget = QWidget>
    Widget& control(QWidget& window, const char* name) {
        auto* widget = window.findChild<Widget*>(name);
        if (!widget) throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }
    static std::vector<std::string> row(QTableWidget& table, int at) {
        std::vector<std::string> cells;
        for (int column = 0; column < table.columnCount(); ++column) cells.push_back(table.item(at, column)->text().toStdString());
        return cells;
    }

    testing::FixedClock record_clock = testing::FixedClock::at(Clock::from_time_t(1'800'000'000));
    Clock::time_point& now = record_clock.time;
    StudyRecord record{kStudyRecordFile, log, record_clock};
};

TEST_F(ProgressWindowTest, tablesBesideTheChartsHoldTheRecordsFigures) {
    quiz({{1, true}, {2, false}});
    quiz({{1, true}, {2, true}, {3, true}, {4, true}});
    ProgressWindow window(services, "ALEX");
    window.show();
    EXPECT_EQ(window.windowTitle().toStdString(), "Progress of ALEX - " + state.bank.exam_title);

    auto& scores = control<QTableWidget>(window, "table_scores");
    ASSERT_EQ(scores.rowCount(), 2);
    EXPECT_EQ(row(scores, 0)[1], "1");
    EXPECT_EQ(row(scores, 0)[2], "2");
    EXPECT_EQ(row(scores, 0)[3], "50%");
    EXPECT_EQ(row(scores, 1)[3], "100%");

    const int chapter = state.table.at(1).category == 0 ? 1 : state.table.at(1).category;
    auto& chapters = control<QTableWidget>(window, "table_chapters");
    ASSERT_GE(chapters.rowCount(), 1);
    EXPECT_EQ(row(chapters, 0)[0], state.bank.category_names[static_cast<std::size_t>(chapter)]);

    auto& questions = control<QTableWidget>(window, "table_questions");
    EXPECT_EQ(row(questions, 0), (std::vector<std::string>{"Never seen", std::to_string(state.bank.question_count - 4)}));
    EXPECT_EQ(row(questions, 1), (std::vector<std::string>{"Missed last time", "0"}));
    EXPECT_EQ(row(questions, 2), (std::vector<std::string>{"Right the last three times", "0"}));
    EXPECT_EQ(row(questions, 4), (std::vector<std::string>{"Answers recorded", "6"}));
    EXPECT_EQ(window.figures().average_seconds, 20);

    auto& tabs = control<QTabWidget>(window, "progress_tabs");
    for (int tab = 0; tab < tabs.count(); ++tab) {
        tabs.setCurrentIndex(tab);
        testing::expect_window_described(window);
    }
}

TEST_F(ProgressWindowTest, exportWritesTheStudentsRecordAndEscapeCloses) {
    quiz({{1, true}, {2, false}});
    QPointer<ProgressWindow> window = show_progress(services, "ALEX");
    const std::string file = "progress." + state.bank.product_number + ".ALEX.csv";
    EXPECT_EQ(window->export_file(), file);
    dialogs.expect_message("Your study record of this exam was written to " + file + " in the folder of your files.", kProgramTitle);
    QTest::mouseClick(&control<QPushButton>(*window, "cmd_export_csv"), Qt::LeftButton);
    const std::string csv = testing::read_file(file);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3) << csv;
    EXPECT_NE(csv.find(",wrong,"), std::string::npos) << csv;
    QTest::keyClick(window.data(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(ProgressWindowTest, nothingRecordedSaysWhatToDo) {
    ProgressWindow window(services, "NEWCOMER ");
    EXPECT_EQ(window.findChild<QTabWidget*>("progress_tabs"), nullptr);
    const std::string note = control<QLabel>(window, "lbl_nothing_recorded").text().toStdString();
    EXPECT_EQ(note.find("Nothing is recorded yet for NEWCOMER in the " + state.bank.exam_title + ". Take a quiz"), 0u) << note;
    EXPECT_FALSE(control<QPushButton>(window, "cmd_export_csv").isEnabled());
    testing::expect_window_described(window);
}

}  // namespace
}  // namespace qd
