#pragma once
// "testing.log": what the last results window saw, for a support person. The
// window writes the first two sections when its load begins and appends the
// other two once it has built the missed list.
#include <filesystem>
#include <string>

#include "bank/bank_state.h"
#include "bank/question_table.h"
#include "state/quiz_state.h"
#include "state/retake_handover.h"

namespace qd {

// "Category Information" with each category's asked count, then "Question
// History" with the result code of every table record 0 to 2000.
std::string testing_log_opening(const BankState& bank, const QuizState& quiz, const QuestionTable& table);

// "NUMBER WRONG: ", "Wrong Questions: " with missed ids 0 to 2000, then
// "Correct Questions" with the table index of every position graded right.
std::string testing_log_closing(const RetakeHandover& retake, const QuizState& quiz, const QuestionTable& table);

// Writes (or appends) the text; false when the file cannot be written.
bool write_testing_log(const std::filesystem::path& file, const std::string& text, bool append);

}  // namespace qd
