#include <SQLiteCpp/Transaction.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/testing/doubles.h"
#include "record/record_database.h"
#include "record/record_schema.h"
#include "record/study_record.h"
#include "temp_folder.h"

namespace qd {
namespace {

using qd::testing::read_file;
using qd::testing::write_file;
using Clock = std::chrono::system_clock;

const Clock::time_point kMorning = Clock::from_time_t(1'800'000'000);

int count(SQLite::Database& database, const std::string& query) { return database.execAndGet(query).getInt(); }

int log_lines() {
    const std::string log = read_file("error.log");
    return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
}

struct RecordTest : ::testing::Test {
    testing::TempFolder folder;
    testing::FixedClock clock;
    ErrorLog log{clock};
    testing::FixedClock record_clock = testing::FixedClock::at(kMorning);
    Clock::time_point& now = record_clock.time;
    const qd::Clock& time = record_clock;
    const QuizOpening quiz{"ANNA", "640-802", 3, true, false};
};

TEST_F(RecordTest, newRecordIsAtThisVersionInWalMode) {
    StudyRecord record(kStudyRecordFile, log, time);
    ASSERT_NE(record.database(), nullptr);
    EXPECT_EQ(record_schema_version(*record.database()), kRecordSchemaVersion);
    EXPECT_EQ(record.database()->execAndGet("PRAGMA journal_mode").getString(), "wal");
    EXPECT_EQ(record.take_notice(), "");
    EXPECT_FALSE(std::filesystem::exists("error.log"));
}

TEST_F(RecordTest, quizAndItsAnswersAreKeptWithEverything) {
    {
        StudyRecord record(kStudyRecordFile, log, time);
        record.quiz_started(quiz);
        now += std::chrono::seconds(40);
        record.answer_graded({17, 2, "B", true, 39.5});
        now += std::chrono::seconds(20);
        record.answer_graded({4, 1, "ip route", false, 20});
        now += std::chrono::seconds(5);
        record.quiz_ended(QuizEnding::time_expired, 1);
    }
    // Read back by another connection, as a later program run would.
    SQLite::Database database(kStudyRecordFile);
    SQLite::Statement quizzes(
        database, "SELECT student, product, started, ended, length, right_count, outcome, practice, timed FROM quizzes");
    ASSERT_TRUE(quizzes.executeStep());
    EXPECT_EQ(quizzes.getColumn(0).getString(), "ANNA");
    EXPECT_EQ(quizzes.getColumn(1).getString(), "640-802");
    EXPECT_EQ(quizzes.getColumn(2).getInt64(), 1'800'000'000);
    EXPECT_EQ(quizzes.getColumn(3).getInt64(), 1'800'000'065);
    EXPECT_EQ(quizzes.getColumn(4).getInt(), 3);
    EXPECT_EQ(quizzes.getColumn(5).getInt(), 1);
    EXPECT_EQ(quizzes.getColumn(6).getString(), "time expired");
    EXPECT_EQ(quizzes.getColumn(7).getInt(), 1);
    EXPECT_EQ(quizzes.getColumn(8).getInt(), 0);
    EXPECT_FALSE(quizzes.executeStep());

    SQLite::Statement answers(database,
                              "SELECT answered, student, product, question_id, category, answer, right, seconds, practice, timed "
                              "FROM answers ORDER BY id");
    ASSERT_TRUE(answers.executeStep());
    EXPECT_EQ(answers.getColumn(0).getInt64(), 1'800'000'040);
    EXPECT_EQ(answers.getColumn(1).getString(), "ANNA");
    EXPECT_EQ(answers.getColumn(2).getString(), "640-802");
    EXPECT_EQ(answers.getColumn(3).getInt(), 17);
    EXPECT_EQ(answers.getColumn(4).getInt(), 2);
    EXPECT_EQ(answers.getColumn(5).getString(), "B");
    EXPECT_EQ(answers.getColumn(6).getInt(), 1);
    EXPECT_DOUBLE_EQ(answers.getColumn(7).getDouble(), 39.5);
    EXPECT_EQ(answers.getColumn(8).getInt(), 1);
    EXPECT_EQ(answers.getColumn(9).getInt(), 0);
    ASSERT_TRUE(answers.executeStep());
    EXPECT_EQ(answers.getColumn(5).getString(), "ip route");
    EXPECT_EQ(answers.getColumn(6).getInt(), 0);
    EXPECT_FALSE(answers.executeStep());
}

// Back grades a question again: the quiz keeps one answer for it, the latest,
// with the time of both visits.
TEST_F(RecordTest, questionGradedAgainKeepsTheLatestAnswerAndAllItsTime) {
    StudyRecord record(kStudyRecordFile, log, time);
    record.quiz_started(quiz);
    record.answer_graded({17, 2, "B", false, 10});
    record.answer_graded({17, 2, "C", true, 5});
    SQLite::Database& database = *record.database();
    EXPECT_EQ(count(database, "SELECT count(*) FROM answers"), 1);
    EXPECT_EQ(database.execAndGet("SELECT answer FROM answers").getString(), "C");
    EXPECT_EQ(count(database, "SELECT right FROM answers"), 1);
    EXPECT_DOUBLE_EQ(database.execAndGet("SELECT seconds FROM answers").getDouble(), 15);
}

TEST_F(RecordTest, newQuizEndsTheOpenQuizOfTheSameStudentAndExamOnly) {
    StudyRecord record(kStudyRecordFile, log, time);
    record.quiz_started({"BEN", "640-802", 5, false, true});
    record.quiz_started(quiz);
    record.quiz_started({"ANNA", "640-822", 5, false, true});
    record.quiz_started(quiz);
    SQLite::Database& database = *record.database();
    EXPECT_EQ(count(database, "SELECT count(*) FROM quizzes WHERE outcome = 'open'"), 3);
    EXPECT_EQ(
        count(database, "SELECT count(*) FROM quizzes WHERE outcome = 'abandoned' AND student = 'ANNA' AND product = '640-802'"), 1);
}

// Each earlier version, holding a quiz, is brought up to this one with the quiz kept.
TEST_F(RecordTest, olderRecordIsMigratedKeepingItsQuizzes) {
    for (int version = 1; version <= kRecordSchemaVersion; ++version) {
        SCOPED_TRACE(version);
        std::filesystem::remove(kStudyRecordFile);
        {
            SQLite::Database old(kStudyRecordFile, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            migrate_record(old, version);
            old.exec(
                "INSERT INTO quizzes (student, product, started, length, right_count, outcome) VALUES ('ANNA', '640-802', 5, 10, "
                "7, 'graded')");
        }
        StudyRecord record(kStudyRecordFile, log, time);
        ASSERT_NE(record.database(), nullptr);
        EXPECT_EQ(record_schema_version(*record.database()), kRecordSchemaVersion);
        EXPECT_EQ(count(*record.database(), "SELECT right_count FROM quizzes WHERE student = 'ANNA'"), 7);
        EXPECT_EQ(record.take_notice(), "");
    }
}

std::string newer_record() {
    {
        SQLite::Database newer("made.sqlite", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        migrate_record(newer);
        newer.exec("PRAGMA user_version = " + std::to_string(kRecordSchemaVersion + 1));
    }
    std::string bytes = read_file("made.sqlite");
    std::filesystem::remove("made.sqlite");
    return bytes;
}

std::string torn_record() {
    {
        SQLite::Database whole("made.sqlite", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        migrate_record(whole);
        SQLite::Transaction filling(whole);
        for (int i = 0; i < 200; ++i)
            whole.exec("INSERT INTO imported_reports VALUES ('history.640-802.STUDENT NUMBER " + std::to_string(i) + ".htm', 0)");
        filling.commit();
    }
    std::string bytes = read_file("made.sqlite");
    std::filesystem::remove("made.sqlite");
    // The header stays, the pages after the first are overwritten.
    for (std::size_t at = 4096; at < bytes.size(); ++at) bytes[at] = static_cast<char>(at * 7);
    return bytes;
}

std::string other_program_file() {
    {
        SQLite::Database other("made.sqlite", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        other.exec("CREATE TABLE quizzes (name TEXT)");
    }
    std::string bytes = read_file("made.sqlite");
    std::filesystem::remove("made.sqlite");
    return bytes;
}

// A record that cannot be used is kept whole under a dated name, a new one
// takes its place, and the student is told once.
TEST_F(RecordTest, unusableRecordIsMovedAsideAndANewOneStarted) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* aside;
        const char* told;
    };
    const Case cases[] = {
        {"text file", "This is not a database at all, only some text.\n", "study-record.2027-01-15_", "damaged"},
        {"torn pages", torn_record(), "study-record.2027-01-15_", "damaged"},
        {"another program's tables", other_program_file(), "study-record.2027-01-15_", "damaged"},
        {"newer version", newer_record(), "study-record.2027-01-15_", "newer version"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) std::filesystem::remove(entry.path());
        write_file(kStudyRecordFile, c.bytes);
        // A journal left beside it belongs to the old file, never to the new one.
        write_file(std::string(kStudyRecordFile) + "-wal", "stale journal");
        {
            StudyRecord record(kStudyRecordFile, log, time);
            ASSERT_NE(record.database(), nullptr);
            record.quiz_started(quiz);
            record.answer_graded({1, 1, "A", true, 3});
            const std::string notice = record.take_notice();
            EXPECT_NE(notice.find(c.told), std::string::npos) << notice;
            EXPECT_NE(notice.find(".sqlite"), std::string::npos) << notice;
            EXPECT_EQ(record.take_notice(), "");
            EXPECT_EQ(count(*record.database(), "SELECT count(*) FROM answers"), 1);
        }
        std::vector<std::string> aside;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(c.aside, 0) == 0 && name.ends_with(".sqlite")) {
                aside.push_back(name);
                EXPECT_EQ(read_file(entry.path()), c.bytes);
            }
        }
        EXPECT_EQ(aside.size(), 1u);
        StudyRecord again(kStudyRecordFile, log, time);
        EXPECT_EQ(again.take_notice(), "");
        EXPECT_EQ(count(*again.database(), "SELECT count(*) FROM answers"), 1);
    }
    EXPECT_FALSE(std::filesystem::exists("error.log"));
}

TEST(RecordSetAside, datedNameTakesANumberWhenTaken) {
    testing::TempFolder folder;
    const auto at = Clock::from_time_t(1'800'000'000);
    const std::filesystem::path first = set_aside_name("study-record.sqlite", at, "damaged");
    EXPECT_TRUE(first.filename().string().starts_with("study-record.2027-01-15_")) << first;
    EXPECT_TRUE(first.filename().string().ends_with(".damaged.sqlite")) << first;
    write_file(first, "x");
    const std::filesystem::path second = set_aside_name("study-record.sqlite", at, "damaged");
    EXPECT_NE(second, first);
    EXPECT_TRUE(second.filename().string().ends_with("-2.damaged.sqlite")) << second;
}

// What cannot be written is skipped with one line in the error log, and the
// quiz's calls go on without a failure.
TEST_F(RecordTest, recordThatCannotBeOpenedIsSkippedWithOneLogLine) {
    write_file("not-a-folder", "");
    StudyRecord record("not-a-folder/study-record.sqlite", log, time);
    EXPECT_EQ(record.database(), nullptr);
    record.quiz_started(quiz);
    record.answer_graded({1, 1, "A", true, 3});
    record.quiz_ended(QuizEnding::graded, 1);
    record.quiz_started(quiz);
    EXPECT_EQ(log_lines(), 1);
    EXPECT_NE(read_file("error.log").find("study record"), std::string::npos);
}

// The record is opened in a child process, which as root first becomes
// "nobody": root writes into read-only folders.
TEST_F(RecordTest, readOnlyFolderIsSkippedWithOneLogLine) {
    const bool root = ::geteuid() == 0;
    constexpr uid_t kNobody = 65534;
    std::filesystem::create_directory("locked");
    std::filesystem::permissions("locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    // The child owns both folders, as the test's user does: it writes its
    // error log in the working folder and finds "locked" read-only.
    if (root) {
        ASSERT_EQ(::chown(".", kNobody, kNobody), 0);
        ASSERT_EQ(::chown("locked", kNobody, kNobody), 0);
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (root && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(3);
        bool opened = false;
        {
            StudyRecord record("locked/study-record.sqlite", log, time);
            record.quiz_started(quiz);
            record.answer_graded({1, 1, "A", true, 3});
            opened = record.database() != nullptr;
        }
        ::_exit(opened ? 4 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0) << "3: could not become nobody; 4: the record opened";
    EXPECT_TRUE(std::filesystem::is_empty("locked"));
    EXPECT_EQ(log_lines(), 1);
    std::filesystem::permissions("locked", std::filesystem::perms::owner_all);
}

TEST_F(RecordTest, fullDiskSkipsAnswersUntilThereIsRoomAgain) {
    StudyRecord record(kStudyRecordFile, log, time);
    record.quiz_started(quiz);
    SQLite::Database& database = *record.database();
    const int pages = count(database, "PRAGMA page_count");
    database.exec("PRAGMA max_page_count = " + std::to_string(pages));
    std::string long_answer(20000, 'x');
    record.answer_graded({1, 1, long_answer, true, 3});
    record.answer_graded({2, 1, long_answer, true, 3});
    EXPECT_EQ(log_lines(), 1);
    EXPECT_NE(read_file("error.log").find("graded answer"), std::string::npos);
    database.exec("PRAGMA max_page_count = 1000000");
    record.answer_graded({3, 1, "A", true, 3});
    EXPECT_EQ(count(database, "SELECT count(*) FROM answers"), 1);
    record.quiz_ended(QuizEnding::graded, 1);
    EXPECT_EQ(database.execAndGet("SELECT outcome FROM quizzes").getString(), "graded");
    EXPECT_EQ(log_lines(), 1);
}

TEST_F(RecordTest, lockedRecordSkipsTheAnswerAndRecordsTheNextOne) {
    StudyRecord record(kStudyRecordFile, log, time);
    record.quiz_started(quiz);
    {
        SQLite::Database other(kStudyRecordFile, SQLite::OPEN_READWRITE);
        SQLite::Transaction holding(other, SQLite::TransactionBehavior::EXCLUSIVE);
        const auto before = std::chrono::steady_clock::now();
        record.answer_graded({1, 1, "A", true, 3});
        EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
        EXPECT_EQ(log_lines(), 1);
    }
    record.answer_graded({2, 1, "A", true, 3});
    EXPECT_EQ(count(*record.database(), "SELECT count(*) FROM answers"), 1);
    EXPECT_EQ(count(*record.database(), "SELECT question_id FROM answers"), 2);
}

// A quiz left open is found again, with the question the student was on, and
// a restarted program records into that same quiz until it ends.
TEST_F(RecordTest, quizKeptInProgressIsTakenUpAndEndsAsOne) {
    std::int64_t left = 0;
    {
        StudyRecord record(kStudyRecordFile, log, time);
        record.quiz_started(quiz);
        record.keep_progress(1, "at 1");
        record.answer_graded({17, 2, "B", true, 10});
        record.keep_progress(2, "at 2");
        left = record.current_quiz();
    }  // the program stops here, the quiz unfinished
    StudyRecord record(kStudyRecordFile, log, time);
    for (const char* product : {"640-802", ""}) {
        const std::optional<OpenQuiz> open = record.open_quiz("  ANNA ", product);
        ASSERT_TRUE(open) << product;
        EXPECT_EQ(open->id, left);
        EXPECT_EQ(open->product_number, "640-802");
        EXPECT_EQ(open->position, 2);
        EXPECT_EQ(open->length, 3);
        EXPECT_EQ(open->progress, "at 2");
    }
    EXPECT_FALSE(record.open_quiz("ANNA", "640-822"));
    EXPECT_FALSE(record.open_quiz("BEN", ""));

    ASSERT_TRUE(record.resume_quiz(left));
    record.answer_graded({4, 1, "A", false, 5});
    record.keep_progress(3, "at 3");
    EXPECT_EQ(record.open_quiz("ANNA", "")->position, 3);
    record.quiz_ended(QuizEnding::graded, 1);
    EXPECT_FALSE(record.open_quiz("ANNA", ""));
    EXPECT_FALSE(record.resume_quiz(left)) << "an ended quiz is not taken up again";
    SQLite::Database& database = *record.database();
    EXPECT_EQ(count(database, "SELECT count(*) FROM quizzes"), 1);
    EXPECT_EQ(count(database, "SELECT count(*) FROM answers WHERE quiz_id = " + std::to_string(left)), 2);
    EXPECT_EQ(database.execAndGet("SELECT outcome FROM quizzes").getString(), "graded");
    EXPECT_EQ(count(database, "SELECT count(*) FROM quiz_progress"), 0);
}

// A quiz left open goes when it is discarded or when the student starts
// another in the same exam; the latest kept of several exams is offered first.
TEST_F(RecordTest, quizLeftOpenGoesWhenDiscardedOrReplaced) {
    StudyRecord record(kStudyRecordFile, log, time);
    record.quiz_started({"ANNA", "640-822", 5, false, true});
    record.keep_progress(4, "other exam");
    const std::int64_t other_exam = record.current_quiz();
    now += std::chrono::seconds(60);
    record.quiz_started(quiz);
    record.keep_progress(2, "first");
    EXPECT_EQ(record.open_quiz("ANNA", "")->progress, "first");
    record.quiz_started(quiz);  // a new quiz in the same exam puts the first aside
    EXPECT_EQ(record.open_quiz("ANNA", "640-802"), std::nullopt) << "the new quiz has kept nothing yet";
    EXPECT_EQ(record.open_quiz("ANNA", "")->id, other_exam);
    record.discard_quiz(other_exam);
    EXPECT_EQ(record.open_quiz("ANNA", ""), std::nullopt);
    SQLite::Database& database = *record.database();
    EXPECT_EQ(count(database, "SELECT count(*) FROM quizzes WHERE outcome = 'abandoned'"), 2);
    EXPECT_EQ(count(database, "SELECT count(*) FROM quiz_progress"), 0);
}

}  // namespace
}  // namespace qd
