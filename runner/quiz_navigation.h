#pragma once
// The question navigator: a cell for every position of the quiz, and where
// the student may jump from the question on screen.
#include <optional>
#include <string>
#include <vector>

#include "bank/question_table.h"
#include "state/quiz_state.h"

namespace qd {

struct JumpRules {
    bool back_button = true;  // off (Test Mode): only later positions, as the Back button is hidden
    bool time_up = false;     // an expired quiz goes nowhere
};

// True when a jump from the position on screen to the target is offered.
bool jump_allowed(const JumpRules& rules, int from, int to, int quiz_length);

struct NavigatorCell {
    int position = 0;
    bool current = false;
    bool answered = false;
    bool flagged = false;
    bool reachable = false;
    std::string caption;          // "7 ✓ ⚑": the number, then symbols, so no state rests on colour
    std::string accessible_name;  // "Question 7, answered, flagged"
};

struct QuizProgress;

// The question "End and Grade" asks while questions are unanswered:
// "You have 12 unanswered questions and 3 flagged. End and grade now?"
std::string end_of_quiz_question(const QuizProgress& progress);

// The first flagged position the student can go to (the one on screen
// included), or none.
std::optional<int> first_flagged_to_review(const QuizState& quiz, const JumpRules& rules);

std::vector<NavigatorCell> navigator_cells(const QuizState& quiz, const QuestionTable& table, const JumpRules& rules);

}  // namespace qd
