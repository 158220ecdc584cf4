#pragma once
// How far the student has got through the quiz: which positions hold an
// answer and which are flagged for review. Read by the quiz window's
// navigator and end-of-quiz question, and by the full review.
#include "bank/question_table.h"
#include "state/quiz_state.h"

namespace qd {

// True when the question at the position was graded in this quiz with an
// answer given: a choice or typed text, or an exercise's result. A question
// passed over with Next and nothing chosen is still unanswered.
bool position_answered(const QuizState& quiz, const QuestionTable& table, int position);

struct QuizProgress {
    int unanswered = 0;
    int flagged = 0;
};
QuizProgress quiz_progress(const QuizState& quiz, const QuestionTable& table);

}  // namespace qd
