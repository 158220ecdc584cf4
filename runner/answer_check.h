#pragma once
// What happens to a question's answers around the moment it is answered: the
// one-time shuffle when it is shown, the capture of the user's selection from
// the page, and the grading of every kind of question.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bank/question_record.h"
#include "bank/question_table.h"
#include "platform/browser.h"
#include "platform/random.h"
#include "state/quiz_state.h"

namespace qd {

using AnswerPermutation = std::array<std::int16_t, 7>;  // slots 1 to 6

// Number of answer slots 1..6 that are not empty after trimming blanks.
int count_answers(const QuestionRecord& question);
bool is_fill_in_type(const std::string& question_type);

// Radio buttons, check boxes, a fill-in box, or an exercise kind by the marker.
InputKind choose_input_kind(const QuestionRecord& question, bool radio_buttons, bool single_answer);

// The order answers are shown in: shuffled when `shuffle` is on, except for
// fill-in questions and the type "no_reorder" (any letter case). The draws
// happen even when the order is then kept, as the generator is shared.
AnswerPermutation answer_permutation(int answer_count, bool shuffle, const std::string& question_type, Random& random);

// Puts the answers of a record not yet shuffled in permuted order, in the
// table and in the copy on screen; a shuffled record keeps its order.
void shuffle_once(QuestionRecord& table_record, QuestionRecord& on_screen, const AnswerPermutation& permutation);

// Copies the user's selection from the page's form into the record. Controls
// missing from the form leave their slots as they were.
void capture_answer(QuestionRecord& record, InputKind input_kind, int answer_count, const FormSnapshot& form);

// The result files the external exercises leave.
struct ExerciseResults {
    std::function<std::string(const std::string& key)> router_general;  // section "general" of "out.ini"
    std::function<std::string()> drag_drop_result;                      // "result" of section "Answer"; deletes the file
    std::function<std::string()> dialog_sim_result;                     // the same for the dialog simulators
    // A key of "out.ini" as the file holds it, none when it does not: what the
    // student is shown of a lab. Grading reads `router_general` alone.
    std::function<std::optional<std::string>(const std::string& key)> router_entry;
};

struct Grade {
    std::int16_t verdict = verdict_code::right;
    std::string chosen_letters;
    std::vector<LabFinding> lab_findings;  // a router-console lab: each expectation and what was found
};

// Grades the question on screen from the user's answer in its table record.
Grade grade_answer(const QuestionRecord& on_screen, const QuestionRecord& table_record, const ExerciseResults& results);

// Records a grade in the table record and the quiz counters.
void record_grade(QuizState& quiz, QuestionRecord& table_record, const Grade& grade);

// cat_asked recounted from the quiz's positions (categories 1 to category_count).
void count_category_questions(QuizState& quiz, const QuestionTable& table, int category_count);

// The live score recounted from the grades of the quiz's positions.
struct LiveScore {
    int right = 0;
    int wrong = 0;
    std::string score_caption;  // " 3/ 5"
    // 1 - right / graded; negative while nothing is graded (the gauge stays).
    double wrong_share() const { return right + wrong == 0 ? -1.0 : 1.0 - double(right) / (right + wrong); }
};
LiveScore calculate_score(QuizState& quiz, const QuestionTable& table);

// The percentage caption with one decimal in the given decimal separator,
// " 66.7%"; nothing while no question is graded.
std::string percent_caption(const LiveScore& score, char decimal_point);

}  // namespace qd
