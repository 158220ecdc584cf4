#include "results/quiz_progress.h"

#include "platform/text_forms.h"
#include "results/explanation_page.h"
#include "results/quiz_positions.h"

namespace qd {

bool position_answered(const QuizState& quiz, const QuestionTable& table, int position) {
    if (!position_in_table(quiz, position)) return false;
    const int index = quiz.table_index_at(position);
    const QuestionRecord& record = table.at(index);
    if (record.result != result_code::right && record.result != result_code::wrong) return false;
    return is_exercise_marker(record.diagram_files[1]) ||
           !trim_blanks(quiz.chosen_letters.at(static_cast<std::size_t>(index))).empty();
}

QuizProgress quiz_progress(const QuizState& quiz, const QuestionTable& table) {
    QuizProgress progress;
    for (int position = 1; position <= quiz.quiz_length && position < kQuizSlots; ++position) {
        if (!position_answered(quiz, table, position)) ++progress.unanswered;
        if (quiz.flagged_at(position)) ++progress.flagged;
    }
    return progress;
}

}  // namespace qd
