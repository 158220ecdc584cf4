#include "record/study_record.h"

#include <SQLiteCpp/Transaction.h>

#include <utility>

#include "platform/failure.h"
#include "record/past_answers.h"
#include "record/record_csv.h"
#include "record/record_database.h"

namespace qd {

namespace {

constexpr const char* kLogHandler = "study record";
constexpr const char* kLogSource = "record ";

constexpr const char* kInsertAnswer = R"sql(
INSERT INTO answers (quiz_id, answered, student, product, question_id, category, answer, right, seconds, practice, timed)
VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)
ON CONFLICT (quiz_id, question_id) DO UPDATE SET
    answered = excluded.answered, category = excluded.category, answer = excluded.answer, right = excluded.right,
    seconds = answers.seconds + excluded.seconds
)sql";

constexpr const char* kKeepProgress = R"sql(
INSERT INTO quiz_progress (quiz_id, position, kept, progress) VALUES (?, ?, ?, ?)
ON CONFLICT (quiz_id) DO UPDATE SET position = excluded.position, kept = excluded.kept, progress = excluded.progress
)sql";

// The latest quiz kept in progress; an empty product number matches any exam.
constexpr const char* kOpenQuiz = R"sql(
SELECT quizzes.id, quizzes.product, quiz_progress.position, quizzes.length, quiz_progress.progress
FROM quizzes JOIN quiz_progress ON quiz_progress.quiz_id = quizzes.id
WHERE quizzes.student = ?1 AND (?2 = '' OR quizzes.product = ?2) AND quizzes.outcome = 'open'
ORDER BY quiz_progress.kept DESC, quizzes.id DESC LIMIT 1
)sql";

void drop_progress(SQLite::Database& database, std::int64_t quiz_id) {
    SQLite::Statement drop(database, "DELETE FROM quiz_progress WHERE quiz_id = ?");
    drop.bind(1, quiz_id);
    drop.exec();
}

}  // namespace

const char* outcome_text(QuizEnding how) {
    switch (how) {
        case QuizEnding::graded: return "graded";
        case QuizEnding::time_expired: return "time expired";
        case QuizEnding::abandoned: return "abandoned";
    }
    return "graded";
}

StudyRecord::StudyRecord(std::filesystem::path file, const ErrorLog& log, const Clock& clock)
    : file_(std::move(file)), log_(log), clock_(clock) {
    ensure_open();
}

StudyRecord::~StudyRecord() = default;

std::string StudyRecord::take_notice() { return std::exchange(notice_, std::string()); }

std::int64_t StudyRecord::now_seconds() const {
    return std::chrono::duration_cast<std::chrono::seconds>(clock_.now().time_since_epoch()).count();
}

// A record that could not be opened is tried again at the next quiz: the
// folder may have become writable or the other program may have let go.
bool StudyRecord::ensure_open() {
    if (database_) return true;
    RecordOpening opening = open_record_database(file_, clock_.now());
    if (!opening.database) {
        if (!failing_) log_.append(kLogHandler, kLogSource, static_cast<int>(FailureCode::file_access_error), opening.failure);
        failing_ = true;
        return false;
    }
    database_ = std::move(opening.database);
    if (!opening.notice.empty()) notice_ = opening.notice;
    return true;
}

bool StudyRecord::attempt(const char* what, const std::function<void(SQLite::Database&)>& work) {
    if (!database_) return false;
    try {
        work(*database_);
        failing_ = false;
        return true;
    } catch (const std::exception& error) {
        if (!failing_)
            log_.append(kLogHandler, kLogSource, static_cast<int>(FailureCode::file_access_error),
                        std::string("The study record skipped ") + what + ": " + error.what());
        failing_ = true;
        // A statement that failed half-way is made again next time.
        insert_answer_.reset();
        return false;
    }
}

// The name is kept without blanks at either end, as the history reports name it.
std::string record_student_name(const std::string& stored) {
    const std::size_t first = stored.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return stored.substr(first, stored.find_last_not_of(' ') - first + 1);
}

void StudyRecord::quiz_started(const QuizOpening& opening) {
    quiz_id_ = 0;
    quiz_ = opening;
    quiz_.student = record_student_name(opening.student);
    const QuizOpening& quiz = quiz_;
    if (!ensure_open()) return;
    attempt("the start of a quiz", [&](SQLite::Database& database) {
        SQLite::Transaction transaction(database);
        // One open quiz per student and exam: an older one was left behind.
        SQLite::Statement dropped(
            database,
            "DELETE FROM quiz_progress WHERE quiz_id IN (SELECT id FROM quizzes WHERE student = ? AND product = ? "
            "AND outcome = 'open')");
        dropped.bind(1, quiz.student);
        dropped.bind(2, quiz.product_number);
        dropped.exec();
        SQLite::Statement left(
            database, "UPDATE quizzes SET outcome = 'abandoned', ended = ? WHERE student = ? AND product = ? AND outcome = 'open'");
        left.bind(1, now_seconds());
        left.bind(2, quiz.student);
        left.bind(3, quiz.product_number);
        left.exec();
        SQLite::Statement insert(
            database, "INSERT INTO quizzes (student, product, started, length, practice, timed) VALUES (?, ?, ?, ?, ?, ?)");
        insert.bind(1, quiz.student);
        insert.bind(2, quiz.product_number);
        insert.bind(3, now_seconds());
        insert.bind(4, quiz.length);
        insert.bind(5, quiz.practice ? 1 : 0);
        insert.bind(6, quiz.timed ? 1 : 0);
        insert.exec();
        transaction.commit();
        quiz_id_ = database.getLastInsertRowid();
    });
}

void StudyRecord::answer_graded(const GradedAnswer& answer) {
    if (quiz_id_ == 0) return;
    attempt("a graded answer", [&](SQLite::Database& database) {
        if (!insert_answer_) insert_answer_ = std::make_unique<SQLite::Statement>(database, kInsertAnswer);
        SQLite::Statement& insert = *insert_answer_;
        insert.reset();
        insert.clearBindings();
        insert.bind(1, quiz_id_);
        insert.bind(2, now_seconds());
        insert.bind(3, quiz_.student);
        insert.bind(4, quiz_.product_number);
        insert.bind(5, answer.question_id);
        insert.bind(6, answer.category);
        insert.bind(7, answer.answer);
        insert.bind(8, answer.right ? 1 : 0);
        insert.bind(9, answer.seconds);
        insert.bind(10, quiz_.practice ? 1 : 0);
        insert.bind(11, quiz_.timed ? 1 : 0);
        insert.exec();  // its own transaction: committed when it returns
        insert.reset();
    });
}

void StudyRecord::quiz_ended(QuizEnding how, int right_count) {
    if (quiz_id_ == 0) return;
    attempt("the end of a quiz", [&](SQLite::Database& database) {
        SQLite::Transaction transaction(database);
        SQLite::Statement end(database, "UPDATE quizzes SET outcome = ?, ended = ?, right_count = ? WHERE id = ?");
        end.bind(1, outcome_text(how));
        end.bind(2, now_seconds());
        end.bind(3, right_count);
        end.bind(4, quiz_id_);
        end.exec();
        drop_progress(database, quiz_id_);
        transaction.commit();
    });
    quiz_id_ = 0;
}

void StudyRecord::keep_progress(int position, const std::string& progress) {
    if (quiz_id_ == 0) return;
    attempt("the quiz in progress", [&](SQLite::Database& database) {
        SQLite::Statement keep(database, kKeepProgress);
        keep.bind(1, quiz_id_);
        keep.bind(2, position);
        keep.bind(3, now_seconds());
        keep.bind(4, progress);
        keep.exec();
    });
}

std::optional<OpenQuiz> StudyRecord::open_quiz(const std::string& student, const std::string& product_number) {
    std::optional<OpenQuiz> open;
    if (!ensure_open()) return open;
    attempt("reading the quiz in progress", [&](SQLite::Database& database) {
        SQLite::Statement query(database, kOpenQuiz);
        query.bind(1, record_student_name(student));
        query.bind(2, product_number);
        if (!query.executeStep()) return;
        open = OpenQuiz{query.getColumn(0).getInt64(), query.getColumn(1).getString(), query.getColumn(2).getInt(),
                        query.getColumn(3).getInt(), query.getColumn(4).getString()};
    });
    return open;
}

bool StudyRecord::resume_quiz(std::int64_t id) {
    quiz_id_ = 0;
    if (!ensure_open()) return false;
    attempt("resuming a quiz", [&](SQLite::Database& database) {
        SQLite::Statement query(database,
                                "SELECT student, product, length, practice, timed FROM quizzes WHERE id = ? AND outcome = 'open'");
        query.bind(1, id);
        if (!query.executeStep()) return;
        quiz_ = QuizOpening{query.getColumn(0).getString(), query.getColumn(1).getString(), query.getColumn(2).getInt(),
                            query.getColumn(3).getInt() != 0, query.getColumn(4).getInt() != 0};
        quiz_id_ = id;
    });
    return quiz_id_ != 0;
}

void StudyRecord::discard_quiz(std::int64_t id) {
    if (id == quiz_id_) quiz_id_ = 0;
    if (!ensure_open()) return;
    attempt("discarding a quiz", [&](SQLite::Database& database) {
        SQLite::Transaction transaction(database);
        SQLite::Statement end(database, "UPDATE quizzes SET outcome = 'abandoned', ended = ? WHERE id = ? AND outcome = 'open'");
        end.bind(1, now_seconds());
        end.bind(2, id);
        end.exec();
        drop_progress(database, id);
        transaction.commit();
    });
}

std::vector<PastAnswer> StudyRecord::past_answers(const std::string& student, const std::string& product_number) {
    std::vector<PastAnswer> answers;
    attempt("reading the answers",
            [&](SQLite::Database& database) { answers = qd::past_answers(database, student, product_number); });
    return answers;
}

std::vector<PastQuiz> StudyRecord::past_quizzes(const std::string& student, const std::string& product_number) {
    std::vector<PastQuiz> quizzes;
    attempt("reading the quizzes",
            [&](SQLite::Database& database) { quizzes = qd::past_quizzes(database, student, product_number); });
    return quizzes;
}

std::optional<std::string> StudyRecord::export_csv(const std::string& student, const std::string& product_number,
                                                   const std::string& file) {
    if (!database_) return std::string("the study record cannot be opened");
    return export_record_csv(*database_, student, product_number, file);
}

}  // namespace qd
