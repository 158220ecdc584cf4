#include <gtest/gtest.h>

#include "runner/quiz_navigation.h"

namespace qd {
namespace {

TEST(QuizNavigation, jumpsFollowTheBackButtonTheClockAndTheQuizLength) {
    struct Case {
        const char* name;
        JumpRules rules;
        int from;
        int to;
        int length;
        bool allowed;
    };
    const JumpRules back_on{true, false};
    const JumpRules test_mode{false, false};
    const JumpRules time_up{true, true};
    const Case cases[] = {
        {"Back on: forward", back_on, 2, 9, 10, true},
        {"Back on: backward", back_on, 9, 2, 10, true},
        {"Back on: to the last position", back_on, 1, 10, 10, true},
        {"the question on screen", back_on, 4, 4, 10, false},
        {"past the end", back_on, 4, 11, 10, false},
        {"before the start", back_on, 4, 0, 10, false},
        {"Back off: forward", test_mode, 3, 4, 10, true},
        {"Back off: backward", test_mode, 3, 2, 10, false},
        {"Back off: backward to the first", test_mode, 10, 1, 10, false},
        {"timed, time left: as untimed", back_on, 7, 1, 50, true},
        {"timed, time up: forward", time_up, 1, 2, 50, false},
        {"timed, time up: backward", time_up, 5, 2, 50, false},
        {"retake of three: the last missed question", back_on, 1, 3, 3, true},
        {"retake of three: beyond its questions", back_on, 1, 4, 3, false},
        {"retake in Test Mode: backward", test_mode, 3, 1, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(jump_allowed(c.rules, c.from, c.to, c.length), c.allowed);
    }
}

TEST(QuizNavigation, cellsTellCurrentAnsweredAndFlaggedBySymbolAndByName) {
    QuestionTable table;
    QuizState quiz;
    quiz.quiz_length = 4;
    for (int p = 1; p <= 4; ++p) quiz.question_order[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p);
    table.at(1).result = result_code::right;
    quiz.chosen_letters[1] = " B";
    table.at(2).result = result_code::wrong;  // Next with nothing chosen
    table.at(4).result = result_code::queued;
    quiz.flagged[2] = true;
    quiz.flagged[3] = true;
    quiz.quiz_position = 3;

    const std::vector<NavigatorCell> cells = navigator_cells(quiz, table, JumpRules{false, false});
    ASSERT_EQ(cells.size(), 4u);
    struct Expected {
        const char* caption;
        const char* name;
        bool reachable;
    };
    const Expected expected[] = {
        {"1 \xE2\x9C\x93", "Question 1, answered, not available", false},
        {"2 \xE2\x80\x93 \xE2\x9A\x91", "Question 2, not answered, flagged, not available", false},
        {"\xE2\x96\xB6 3 \xE2\x80\x93 \xE2\x9A\x91", "Question 3, current, not answered, flagged", false},
        {"4 \xE2\x80\x93", "Question 4, not answered", true},
    };
    for (std::size_t i = 0; i < cells.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(cells[i].position, static_cast<int>(i + 1));
        EXPECT_EQ(cells[i].caption, expected[i].caption);
        EXPECT_EQ(cells[i].accessible_name, expected[i].name);
        EXPECT_EQ(cells[i].reachable, expected[i].reachable);
    }
}

}  // namespace
}  // namespace qd
