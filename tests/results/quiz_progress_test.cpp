#include <gtest/gtest.h>

#include "results/quiz_progress.h"

namespace qd {
namespace {

TEST(QuizProgress, aPositionIsAnsweredOnlyWhenGradedWithAnAnswerGiven) {
    struct Case {
        const char* name;
        std::int16_t result;
        const char* chosen;
        const char* marker;
        bool answered;
    };
    const Case cases[] = {
        {"never shown", result_code::not_graded, "", "", false},
        {"queued by the quiz builder", result_code::queued, " A", "", false},
        {"right", result_code::right, " A", "", true},
        {"wrong", result_code::wrong, " B D", "", true},
        {"typed text", result_code::wrong, "frame relay", "", true},
        {"passed over with nothing chosen", result_code::wrong, "", "", false},
        {"only blanks typed", result_code::wrong, "   ", "", false},
        {"a graded lab", result_code::wrong, "", "xxsim", true},
        {"a lab not yet graded", result_code::queued, "", "xxsim", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QuestionTable table;
        QuizState quiz;
        quiz.quiz_length = 1;
        quiz.question_order[1] = 7;
        table.at(7).result = c.result;
        table.at(7).diagram_files[1] = c.marker;
        quiz.chosen_letters[7] = c.chosen;
        EXPECT_EQ(position_answered(quiz, table, 1), c.answered);
        EXPECT_EQ(quiz_progress(quiz, table).unanswered, c.answered ? 0 : 1);
    }
}

TEST(QuizProgress, countsUnansweredAndFlaggedPositionsOfTheQuizOnly) {
    QuestionTable table;
    QuizState quiz;
    quiz.quiz_length = 3;
    for (int p = 1; p <= 3; ++p) quiz.question_order[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p + 10);
    table.at(11).result = result_code::right;
    quiz.chosen_letters[11] = " C";
    quiz.flagged[1] = true;
    quiz.flagged[3] = true;
    quiz.flagged[4] = true;  // beyond the quiz
    const QuizProgress progress = quiz_progress(quiz, table);
    EXPECT_EQ(progress.unanswered, 2);
    EXPECT_EQ(progress.flagged, 2);
}

}  // namespace
}  // namespace qd
