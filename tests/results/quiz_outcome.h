#pragma once
// A finished quiz described by its outcomes, for the results tests.
#include <string>
#include <vector>

#include "bank/bank_state.h"
#include "bank/question_table.h"
#include "state/quiz_state.h"

namespace qd::testing {

struct AskedQuestion {
    int index;   // table index and question id
    int result;  // 0 not graded, 1 right, 2 wrong, 3 queued
    int category;
};

// Puts a finished quiz of the given outcomes into the table, quiz state and bank.
inline void finish_quiz(QuestionTable& table, QuizState& quiz, BankState& bank, const std::vector<AskedQuestion>& asked,
                        const std::vector<std::string>& categories) {
    bank.categories_enabled = -1;
    bank.category_count = static_cast<std::int16_t>(categories.size());
    for (std::size_t c = 0; c < categories.size(); ++c) bank.category_names[c + 1] = categories[c];
    bank.exam_title = "First Part Exam";
    bank.product_number = "41517";
    quiz.quiz_length = static_cast<std::int16_t>(asked.size());
    for (std::size_t p = 0; p < asked.size(); ++p) {
        const AskedQuestion& q = asked[p];
        quiz.question_order[p + 1] = static_cast<std::int16_t>(q.index);
        QuestionRecord& record = table.at(q.index);
        record.question_id = static_cast<std::int16_t>(q.index);
        record.question_text = "Question " + std::to_string(q.index);
        record.result = static_cast<std::int16_t>(q.result);
        record.category = static_cast<std::int16_t>(q.category);
        ++quiz.cat_asked[q.category];
        if (q.result == result_code::right) {
            ++quiz.right_count;
            ++quiz.cat_right[q.category];
        }
    }
}

struct FinishedQuiz {
    QuestionTable table;
    QuizState quiz;
    BankState bank;

    FinishedQuiz(const std::vector<AskedQuestion>& asked, const std::vector<std::string>& categories) {
        finish_quiz(table, quiz, bank, asked, categories);
    }
};

}  // namespace qd::testing
