#include "bank/bank_loader.h"

#include "platform/failure.h"

namespace qd {

void load_questions(const BankData& bank, QuestionTable& table, BankState& state) {
    // 1. Clear what a shorter bank would otherwise leave behind; texts stay.
    for (int i = 1; i <= QuestionTable::kLastIndex; ++i) {
        QuestionRecord& record = table.at(i);
        for (int slot = 1; slot <= 6; ++slot) {
            record.answers[slot].clear();
            record.correct[slot] = 0;
        }
        for (int slot = 1; slot <= 3; ++slot) {
            record.diagram_files[slot].clear();
            record.exhibit_files[slot].clear();
        }
        record.clue.clear();
        record.ref_tag.clear();
        record.category = 1;
        record.tutor_link.clear();
    }
    // 2. Per-exam constants.
    state.exam_title = bank.exam_title;
    state.product_number = bank.product_number;
    state.version_text = bank.version_text;
    state.description = bank.description;
    // 3. Categories.
    if (bank.category_names.size() >= state.category_names.size())
        throw Failure(FailureCode::index_out_of_range, "A bank has more than 150 categories");
    for (std::size_t slot = 1; slot < state.category_names.size(); ++slot) state.category_names[slot].clear();
    for (std::size_t c = 0; c < bank.category_names.size(); ++c) state.category_names[c + 1] = bank.category_names[c];
    state.categories_enabled = flag_code::set;
    state.category_count = static_cast<std::int16_t>(bank.category_names.size());
    // 4. The questions, record k from question k.
    const int count = static_cast<int>(bank.questions.size());
    for (int k = 1; k <= count; ++k) {
        const BankQuestion& q = bank.questions[static_cast<std::size_t>(k - 1)];
        QuestionRecord& record = table.at(k);
        record.question_text = q.question_text;
        record.explanation.clear();
        record.explanation = q.explanation;
        record.clue.clear();
        record.question_type = q.question_type;
        record.lab_start = q.lab_start;
        record.ref_tag = q.ref_tag;
        for (int slot = 1; slot <= 6; ++slot) {
            record.answers[slot] = q.answers[static_cast<std::size_t>(slot - 1)];
            record.correct[slot] = q.correct[static_cast<std::size_t>(slot - 1)];
        }
        for (int slot = 1; slot <= 3; ++slot) {
            record.diagram_files[slot] = q.diagram_files[static_cast<std::size_t>(slot - 1)];
            record.exhibit_files[slot] = q.exhibit_files[static_cast<std::size_t>(slot - 1)];
        }
        record.category = q.category;
    }
    // 5. Last, so a load that failed above leaves the previous count.
    state.question_count = static_cast<std::int16_t>(count);
}

void number_questions(QuestionTable& table) {
    for (int i = 1; i <= 900; ++i) table.at(i).question_id = static_cast<std::int16_t>(i);
}

}  // namespace qd
