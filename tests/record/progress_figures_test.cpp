#include <gtest/gtest.h>

#include "platform/testing/doubles.h"
#include "record/progress_figures.h"
#include "record/record_database.h"
#include "record/study_record.h"
#include "temp_folder.h"

namespace qd {
namespace {

using Clock = std::chrono::system_clock;

// Two chapters of three questions: 1 to 3 in chapter 1, 4 to 6 in chapter 2.
const std::vector<ExamQuestion> kBank = {{1, 1}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 2}};
const std::vector<std::string> kNames = {"", "Network Models", "Ethernet"};

// A record of three quizzes by ANNA, one open one, and one by another student.
struct RecordedFixture : ::testing::Test {
    testing::TempFolder folder;
    testing::FixedClock clock;
    ErrorLog log{clock};
    testing::FixedClock record_clock = testing::FixedClock::at(Clock::from_time_t(1'800'000'000));
    Clock::time_point& now = record_clock.time;
    StudyRecord record{kStudyRecordFile, log, record_clock};

    void quiz(const std::string& student, const std::vector<std::pair<int, bool>>& answers, bool finish = true) {
        record.quiz_started({student, "41517", static_cast<int>(answers.size()), true, false});
        int right = 0;
        for (const auto& [id, correct] : answers) {
            now += std::chrono::seconds(30);
            record.answer_graded({id, id <= 3 ? 1 : 2, "A", correct, id * 10.0});
            right += correct ? 1 : 0;
        }
        if (finish) record.quiz_ended(QuizEnding::graded, right);
        now += std::chrono::hours(24);
    }
};

TEST_F(RecordedFixture, figuresOfOneStudentInOneExam) {
    quiz("ANNA", {{1, true}, {2, false}, {4, true}, {5, false}});
    quiz("ANNA", {{1, true}, {2, true}, {4, true}, {5, true}});
    quiz("BEN", {{3, true}, {6, true}});
    quiz("ANNA", {{1, true}, {4, false}});
    quiz("ANNA", {{3, false}}, false);  // left open: its answer counts, the quiz does not

    SQLite::Database& database = *record.database();
    const ProgressFigures figures = progress_figures(kBank, kNames, past_answers(database, "ANNA", "41517"),
                                                     past_quizzes(database, "ANNA", "41517"));

    ASSERT_EQ(figures.scores.size(), 3u);
    EXPECT_EQ(figures.scores[0].percent, 50);
    EXPECT_EQ(figures.scores[1].percent, 100);
    EXPECT_EQ(figures.scores[2].percent, 50);
    EXPECT_EQ(figures.scores[2].right_count, 1);
    EXPECT_EQ(figures.scores[2].length, 2);
    EXPECT_LT(figures.scores[0].when, figures.scores[1].when);

    ASSERT_EQ(figures.chapters.size(), 2u);
    EXPECT_EQ(figures.chapters[0].name, "Network Models");
    EXPECT_EQ(figures.chapters[0].recent_answered, 6);  // 1, 2, 1, 2, 1, 3
    EXPECT_EQ(figures.chapters[0].recent_right, 4);
    EXPECT_EQ(figures.chapters[0].questions_seen, 3);
    EXPECT_EQ(figures.chapters[0].questions, 3);
    EXPECT_EQ(figures.chapters[1].recent_answered, 5);  // 4, 5, 4, 5, 4
    EXPECT_EQ(figures.chapters[1].recent_right, 3);
    EXPECT_EQ(figures.chapters[1].questions_seen, 2);

    EXPECT_EQ(figures.never_seen, 1);        // 6, which only BEN answered
    EXPECT_EQ(figures.missed_last_time, 2);  // 3 and 4
    EXPECT_EQ(figures.right_last_three, 1);  // 1
    EXPECT_EQ(figures.answers, 11);
    EXPECT_NEAR(figures.average_seconds, (10 + 20 + 40 + 50 + 10 + 20 + 40 + 50 + 10 + 40 + 30) / 11.0, 1e-9);
    EXPECT_FALSE(figures.nothing_recorded());
}

TEST_F(RecordedFixture, nothingRecordedForAStudentWithoutQuizzes) {
    quiz("BEN", {{3, true}});
    SQLite::Database& database = *record.database();
    const ProgressFigures figures = progress_figures(kBank, kNames, past_answers(database, "ANNA", "41517"),
                                                     past_quizzes(database, "ANNA", "41517"));
    EXPECT_TRUE(figures.nothing_recorded());
    EXPECT_EQ(figures.never_seen, 6);
    EXPECT_EQ(figures.chapters[0].percent(), 0);
}

TEST(ProgressFigures, chapterShareIsOfItsLatestTwentyAnswers) {
    std::vector<PastAnswer> answers;
    for (int i = 0; i < 25; ++i) answers.push_back({1, 1, i >= 5, i, 1});  // five wrong, then twenty right
    const ProgressFigures figures = progress_figures(kBank, kNames, answers, {});
    EXPECT_EQ(figures.chapters[0].recent_answered, 20);
    EXPECT_EQ(figures.chapters[0].percent(), 100);
}

}  // namespace
}  // namespace qd
