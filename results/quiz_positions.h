#pragma once
// Walks the positions of the quiz just taken with the question at each.
#include "bank/question_table.h"
#include "state/quiz_state.h"

namespace qd {

// True when position p maps to a record of the table; a corrupt order is passed over.
inline bool position_in_table(const QuizState& quiz, int position) {
    if (position < 1 || position >= kQuizSlots) return false;
    const int index = quiz.table_index_at(position);
    return index >= 0 && index <= QuestionTable::kLastIndex;
}

// Calls visit(position, table index, record) for positions 1 to quiz_length in order.
template <class Visit>
void for_each_quiz_position(const QuizState& quiz, const QuestionTable& table, Visit&& visit) {
    for (int position = 1; position <= quiz.quiz_length; ++position) {
        if (!position_in_table(quiz, position)) continue;
        const int index = quiz.table_index_at(position);
        visit(position, index, table.at(index));
    }
}

}  // namespace qd
