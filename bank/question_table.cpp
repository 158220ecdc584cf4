#include "bank/question_table.h"

#include "platform/failure.h"

namespace qd {

QuestionTable::QuestionTable() : records_(std::make_unique<std::array<QuestionRecord, kLastIndex + 1>>()) {}

QuestionRecord& QuestionTable::at(int index) {
    if (index < 0 || index > kLastIndex)
        throw Failure(FailureCode::index_out_of_range, "Question index " + std::to_string(index) + " is outside 0 to 2000");
    return (*records_)[static_cast<std::size_t>(index)];
}

const QuestionRecord& QuestionTable::at(int index) const { return const_cast<QuestionTable*>(this)->at(index); }

void QuestionTable::reset_run_fields() {
    for (int i = 1; i <= kLastIndex; ++i) {
        QuestionRecord& record = at(i);
        record.user_text.clear();
        record.shuffled = 0;
        record.result = result_code::not_graded;
        for (int slot = 1; slot <= 6; ++slot) record.user_choice[slot] = 0;
    }
}

}  // namespace qd
