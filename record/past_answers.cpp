#include "record/past_answers.h"

#include <SQLiteCpp/Statement.h>

#include "record/study_record.h"

namespace qd {

std::vector<PastAnswer> past_answers(SQLite::Database& database, const std::string& student, const std::string& product_number) {
    SQLite::Statement query(database,
                            "SELECT question_id, category, right, answered, seconds FROM answers "
                            "WHERE student = ? AND product = ? ORDER BY answered, id");
    query.bind(1, record_student_name(student));
    query.bind(2, product_number);
    std::vector<PastAnswer> answers;
    while (query.executeStep())
        answers.push_back({query.getColumn(0).getInt(), query.getColumn(1).getInt(), query.getColumn(2).getInt() != 0,
                           query.getColumn(3).getInt64(), query.getColumn(4).getDouble()});
    return answers;
}

std::vector<PastQuiz> past_quizzes(SQLite::Database& database, const std::string& student, const std::string& product_number) {
    SQLite::Statement query(database,
                            "SELECT started, length, right_count FROM quizzes "
                            "WHERE student = ? AND product = ? AND outcome IN ('graded', 'time expired') ORDER BY started, id");
    query.bind(1, record_student_name(student));
    query.bind(2, product_number);
    std::vector<PastQuiz> quizzes;
    while (query.executeStep())
        quizzes.push_back({query.getColumn(0).getInt64(), query.getColumn(1).getInt(), query.getColumn(2).getInt()});
    return quizzes;
}

}  // namespace qd
