#pragma once
// The student's study record in the working folder: every quiz and every
// graded answer of every student and exam, kept in one SQLite database. It
// never stops a quiz: while the record cannot be written (read-only folder,
// full disk, locked by another program) what happens is skipped, and one line
// goes to the error log for each such spell.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/error_log.h"
#include "platform/clock.h"
#include "state/study_recorder.h"

namespace qd {

class StudyRecord final : public StudyRecorder {
public:
    // Opens (or starts) the record at `file`; see record_database.h. The
    // times kept are the clock's.
    StudyRecord(std::filesystem::path file, const ErrorLog& log, const Clock& clock);
    ~StudyRecord() override;

    // What the student must be told once about this opening ("" for nothing).
    std::string take_notice();
    // The database for reading, or nothing while the record cannot be used.
    SQLite::Database* database() { return database_.get(); }
    // The quiz being recorded, 0 for none.
    std::int64_t current_quiz() const { return quiz_id_; }

    void quiz_started(const QuizOpening& quiz) override;
    void answer_graded(const GradedAnswer& answer) override;
    void quiz_ended(QuizEnding how, int right_count) override;
    void keep_progress(int position, const std::string& progress) override;
    std::optional<OpenQuiz> open_quiz(const std::string& student, const std::string& product_number) override;
    bool resume_quiz(std::int64_t id) override;
    void discard_quiz(std::int64_t id) override;
    std::vector<PastAnswer> past_answers(const std::string& student, const std::string& product_number) override;
    std::vector<PastQuiz> past_quizzes(const std::string& student, const std::string& product_number) override;
    std::optional<std::string> export_csv(const std::string& student, const std::string& product_number,
                                          const std::string& file) override;

    // Runs `work` on the database; a failure is logged (once a spell) and
    // swallowed. Returns whether the work was done.
    bool attempt(const char* what, const std::function<void(SQLite::Database&)>& work);

private:
    bool ensure_open();
    std::int64_t now_seconds() const;

    std::filesystem::path file_;
    const ErrorLog& log_;
    const Clock& clock_;
    std::unique_ptr<SQLite::Database> database_;
    std::unique_ptr<SQLite::Statement> insert_answer_;
    std::string notice_;
    bool failing_ = false;  // a line was logged and nothing has worked since
    std::int64_t quiz_id_ = 0;
    QuizOpening quiz_;
};

// The student name as the record keeps it: the stored name without blanks at
// either end, as the history reports name it.
std::string record_student_name(const std::string& stored);

// The text stored for a quiz's ending.
const char* outcome_text(QuizEnding how);

}  // namespace qd
