// A program killed at any moment keeps every answer it committed and the
// question its quiz was on: a child process records a quiz's answers as fast
// as it can, telling its parent after each answer and each question kept,
// and is killed with SIGKILL at a random moment.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "platform/testing/doubles.h"
#include "record/record_database.h"
#include "record/record_schema.h"
#include "record/study_record.h"
#include "temp_folder.h"

namespace qd {
namespace {

constexpr char kAnswerKept = 0;  // any other report is the position kept

void tell(int report, char what) {
    if (::write(report, &what, 1) != 1) ::_exit(2);
}

// In the child: shows one question after another, keeping where the quiz is
// and then the answer, reporting each.
[[noreturn]] void record_until_killed(int report) {
    testing::FixedClock clock;
    ErrorLog log(clock);
    StudyRecord record(kStudyRecordFile, log, clock);
    for (int quiz = 0;; ++quiz) {
        record.quiz_started({"ANNA", "41517", 50, true, false});
        for (int id = 1; id <= 50; ++id) {
            record.keep_progress(id, "on question " + std::to_string(id));
            tell(report, static_cast<char>(id));
            record.answer_graded({id, id % 10 + 1, "B", id % 3 != 0, 1.5});
            tell(report, kAnswerKept);
        }
        record.quiz_ended(QuizEnding::graded, 33);
    }
}

TEST(RecordCrash, everyAnswerReportedBeforeAKillIsInTheRecord) {
    testing::TempFolder folder;
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> moment_us(0, 60'000);
    int total_kept = 0;
    for (int run = 0; run < 25; ++run) {
        SCOPED_TRACE(run);
        int pipe_ends[2];
        ASSERT_EQ(::pipe(pipe_ends), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipe_ends[0]);
            record_until_killed(pipe_ends[1]);
        }
        ::close(pipe_ends[1]);
        ::usleep(static_cast<useconds_t>(moment_us(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status));
        int reported = 0;
        int position = 0;  // the last question kept in this run
        char kept;
        while (::read(pipe_ends[0], &kept, 1) == 1) {
            if (kept == kAnswerKept) ++reported;
            else position = kept;
        }
        ::close(pipe_ends[0]);
        total_kept += reported;

        testing::FixedClock clock;
        ErrorLog log(clock);
        StudyRecord record(kStudyRecordFile, log, clock);
        ASSERT_NE(record.database(), nullptr);
        EXPECT_EQ(record.take_notice(), "");
        SQLite::Database& database = *record.database();
        EXPECT_EQ(database.execAndGet("PRAGMA quick_check").getString(), "ok");
        EXPECT_EQ(record_schema_version(database), kRecordSchemaVersion);
        // Every answer the child heard back about; at most the one in flight more.
        const int answers = database.execAndGet("SELECT count(*) FROM answers").getInt();
        EXPECT_GE(answers, total_kept);
        EXPECT_LE(answers, total_kept + 1);
        total_kept = answers;
        // The start window offers the question kept last, or the one in flight.
        if (position > 0) {
            const std::optional<OpenQuiz> open = record.open_quiz("ANNA", "41517");
            if (position < 50) {
                ASSERT_TRUE(open);
                EXPECT_GE(open->position, position);
                EXPECT_LE(open->position, position + 1);
                EXPECT_EQ(open->progress, "on question " + std::to_string(open->position));
            } else if (open) {  // the quiz may have ended and the next one begun
                EXPECT_TRUE(open->position == 50 || open->position == 1) << open->position;
            }
        }
    }
    EXPECT_GT(total_kept, 0) << "the child never got to record an answer";
    EXPECT_FALSE(std::filesystem::exists("error.log"));
}

}  // namespace
}  // namespace qd
