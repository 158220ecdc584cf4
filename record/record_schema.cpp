#include "record/record_schema.h"

#include <SQLiteCpp/Transaction.h>

#include <array>
#include <string>

namespace qd {

namespace {

// Step n brings a record from version n - 1 to version n. A step is never
// changed once released: a change is a new step.
constexpr std::array<const char*, kRecordSchemaVersion> kSteps = {
    // 1: quizzes and their graded answers; each answer also carries who and
    // what it belongs to, so that the questions about one student and exam
    // read one table. `outcome` is 'open' until the quiz ends ('graded',
    // 'time expired', 'abandoned'); quizzes read from an old history report
    // are 'graded' with source 'history' and have no answers.
    R"sql(
CREATE TABLE quizzes (
    id INTEGER PRIMARY KEY,
    student TEXT NOT NULL,
    product TEXT NOT NULL,
    started INTEGER NOT NULL,
    ended INTEGER,
    length INTEGER NOT NULL,
    right_count INTEGER NOT NULL DEFAULT 0,
    outcome TEXT NOT NULL DEFAULT 'open',
    practice INTEGER NOT NULL DEFAULT 0,
    timed INTEGER NOT NULL DEFAULT 0,
    source TEXT NOT NULL DEFAULT 'quiz'
);
CREATE INDEX quizzes_of_student ON quizzes (student, product, started);
CREATE TABLE answers (
    id INTEGER PRIMARY KEY,
    quiz_id INTEGER NOT NULL REFERENCES quizzes (id),
    answered INTEGER NOT NULL,
    student TEXT NOT NULL,
    product TEXT NOT NULL,
    question_id INTEGER NOT NULL,
    category INTEGER NOT NULL,
    answer TEXT NOT NULL,
    right INTEGER NOT NULL,
    seconds REAL NOT NULL,
    practice INTEGER NOT NULL,
    timed INTEGER NOT NULL,
    UNIQUE (quiz_id, question_id)
);
CREATE INDEX answers_of_student ON answers (student, product, question_id, answered);
CREATE TABLE imported_reports (
    file TEXT PRIMARY KEY,
    imported INTEGER NOT NULL
);
)sql",
    // 2: the quiz in progress, one row per open quiz: the question the student
    // is on and, as the quiz window writes it, what it needs to go on.
    R"sql(
CREATE TABLE quiz_progress (
    quiz_id INTEGER PRIMARY KEY REFERENCES quizzes (id),
    position INTEGER NOT NULL,
    kept INTEGER NOT NULL,
    progress TEXT NOT NULL
);
)sql",
};

}  // namespace

int record_schema_version(SQLite::Database& database) { return database.execAndGet("PRAGMA user_version").getInt(); }

void migrate_record(SQLite::Database& database, int target) {
    for (int version = record_schema_version(database); version < target; ++version) {
        SQLite::Transaction step(database);
        database.exec(kSteps.at(static_cast<std::size_t>(version)));
        database.exec("PRAGMA user_version = " + std::to_string(version + 1));
        step.commit();
    }
}

}  // namespace qd
