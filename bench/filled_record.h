#pragma once
// A study record as a student leaves it after 400 finished quizzes of 50
// answers each (20,000 answers), made in one transaction.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <functional>
#include <string>
#include <utility>

namespace qd::bench {

inline constexpr int kFilledQuizzes = 400;
inline constexpr int kFilledQuizLength = 50;

// `question_of(n)` gives the question id and category of the record's n-th answer.
inline void fill_record(SQLite::Database& database, const std::string& product_number,
                        const std::function<std::pair<int, int>(int)>& question_of) {
    SQLite::Transaction transaction(database);
    SQLite::Statement quiz(database,
                           "INSERT INTO quizzes (student, product, started, ended, length, right_count, outcome) "
                           "VALUES ('ALEX', ?, ?, ?, 50, ?, 'graded')");
    SQLite::Statement answer(database,
                             "INSERT INTO answers (quiz_id, answered, student, product, question_id, category, answer, "
                             "right, seconds, practice, timed) VALUES (?, ?, 'ALEX', ?, ?, ?, 'B', ?, 20, 1, 0)");
    for (int q = 0; q < kFilledQuizzes; ++q) {
        quiz.reset();
        quiz.bind(1, product_number);
        quiz.bind(2, 1'700'000'000 + q * 3600);
        quiz.bind(3, 1'700'000'000 + q * 3600 + 1800);
        quiz.bind(4, 25 + q % 25);
        quiz.exec();
        const std::int64_t id = database.getLastInsertRowid();
        for (int a = 0; a < kFilledQuizLength; ++a) {
            const auto [question_id, category] = question_of(q * kFilledQuizLength + a);
            answer.reset();
            answer.bind(1, id);
            answer.bind(2, 1'700'000'000 + q * 3600 + a * 30);
            answer.bind(3, product_number);
            answer.bind(4, question_id);
            answer.bind(5, category);
            answer.bind(6, (a % 3) ? 1 : 0);
            answer.exec();
        }
    }
    transaction.commit();
}

}  // namespace qd::bench
