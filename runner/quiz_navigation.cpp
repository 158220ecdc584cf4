#include "runner/quiz_navigation.h"

#include "results/quiz_progress.h"

namespace qd {

namespace {

constexpr const char* kCurrentMark = "\xE2\x96\xB6";   // ▶
constexpr const char* kAnsweredMark = "\xE2\x9C\x93";  // ✓
constexpr const char* kOpenMark = "\xE2\x80\x93";      // –
constexpr const char* kFlagMark = "\xE2\x9A\x91";      // ⚑

}  // namespace

bool jump_allowed(const JumpRules& rules, int from, int to, int quiz_length) {
    if (rules.time_up || to < 1 || to > quiz_length || to >= kQuizSlots || to == from) return false;
    return rules.back_button || to > from;
}

std::string end_of_quiz_question(const QuizProgress& progress) {
    std::string text = "You have " + std::to_string(progress.unanswered) + " unanswered question" +
                       (progress.unanswered == 1 ? "" : "s");
    if (progress.flagged > 0) text += " and " + std::to_string(progress.flagged) + " flagged";
    return text + ". End and grade now?";
}

std::optional<int> first_flagged_to_review(const QuizState& quiz, const JumpRules& rules) {
    for (int position = 1; position <= quiz.quiz_length && position < kQuizSlots; ++position) {
        if (!quiz.flagged_at(position)) continue;
        if (position == quiz.quiz_position || jump_allowed(rules, quiz.quiz_position, position, quiz.quiz_length)) return position;
    }
    return std::nullopt;
}

std::vector<NavigatorCell> navigator_cells(const QuizState& quiz, const QuestionTable& table, const JumpRules& rules) {
    std::vector<NavigatorCell> cells;
    for (int position = 1; position <= quiz.quiz_length && position < kQuizSlots; ++position) {
        NavigatorCell cell;
        cell.position = position;
        cell.current = position == quiz.quiz_position;
        cell.answered = position_answered(quiz, table, position);
        cell.flagged = quiz.flagged_at(position);
        cell.reachable = jump_allowed(rules, quiz.quiz_position, position, quiz.quiz_length);
        const std::string number = std::to_string(position);
        cell.caption = (cell.current ? std::string(kCurrentMark) + " " : "") + number + " " +
                       (cell.answered ? kAnsweredMark : kOpenMark) + (cell.flagged ? std::string(" ") + kFlagMark : "");
        cell.accessible_name = "Question " + number + (cell.current ? ", current" : "") +
                               (cell.answered ? ", answered" : ", not answered") + (cell.flagged ? ", flagged" : "");
        if (!cell.current && !cell.reachable) cell.accessible_name += ", not available";
        cells.push_back(cell);
    }
    return cells;
}

}  // namespace qd
