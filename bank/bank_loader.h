#pragma once
// Loading a question bank into the table, and the start-up step that sets the
// fixed paths and loads the first part exam.
#include "bank/bank_data.h"
#include "bank/bank_state.h"
#include "bank/question_table.h"

namespace qd {

// Replaces the authored fields with the bank's questions; run fields and
// question ids are left as they are. question_count is set last, so a load
// that fails midway leaves the previous count in place.
void load_questions(const BankData& bank, QuestionTable& table, BankState& state);

// Sets the data folder and the book paths from paths.program_folder, then
// loads the first part exam.
void init_product(ProductPaths& paths, QuestionTable& table, BankState& state);

// Records 1 to 900 get a question id equal to their index.
void number_questions(QuestionTable& table);

namespace banks {
extern const BankData pv_flash_intro;  // first part exam
extern const BankData pv_flash_orlin;  // second part exam
extern const BankData pv_flash_combo;  // full exam
}  // namespace banks

}  // namespace qd
