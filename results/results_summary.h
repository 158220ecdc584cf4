#pragma once
// What the results window shows of the quiz just taken: the score labels and
// message, the category scores, the question list under each filter and the
// ids of the questions answered wrong that a retake asks again.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bank/bank_state.h"
#include "bank/question_table.h"
#include "results/history_report.h"
#include "state/quiz_state.h"
#include "state/retake_handover.h"

namespace qd {

struct ScoreLabels {
    std::string right;         // `rig`: the number right with a leading blank
    std::string total;         // `tot`: the number of questions with a leading blank
    std::string percent_text;  // `per`: " 70%"; empty for a quiz of no questions
    std::optional<int> percent;
    std::string message;  // `Label4`
};
ScoreLabels score_labels(const QuizState& quiz);

// The category scores of categories 1 to 40 that have a name.
struct CategoryListing {
    std::vector<std::string> lines;     // score text, a blank, the name
    std::vector<CategoryScore> scores;  // for the history report
    std::vector<int> nothing_asked;     // categories listed as 0% because none of their questions was asked
};
CategoryListing category_listing(const BankState& bank, const QuizState& quiz);

// " 77% (7/9)": the percentage right-aligned in three characters.
std::string category_score_text(int right, int asked);

// The option buttons `whichq` 0, 1 and 2.
enum class ListFilter { missed = 0, all = 1, correct = 2 };

struct QuestionList {
    std::vector<std::string> lines;  // " 3.) [17]  question text"
    std::vector<bool> flagged;       // per line: the student flagged its question
    int wrong_count = 0;             // positions graded wrong, whatever the filter
};
// calc_list: the quiz's questions that pass the filter, in quiz order.
QuestionList calc_list(ListFilter filter, const QuizState& quiz, const QuestionTable& table);

// Fills missed_count and missed_ids 1 to missed_count with the ids graded wrong,
// in quiz order; entries beyond keep what they held.
void fill_missed_list(const QuizState& quiz, const QuestionTable& table, RetakeHandover& retake);

// The quiz position a list line stands for: the number before its first ".".
std::optional<int> list_line_position(std::string_view line);

}  // namespace qd
