#pragma once
// The flash-card deck: a random order of the bank's questions and the text of
// each card's front and back. Nothing here is graded or recorded.
#include <array>
#include <cstdint>
#include <string>

#include "bank/question_record.h"
#include "platform/random.h"

namespace qd {

using CardOrder = std::array<std::int16_t, 2001>;

// Entries 1 to question_count are a random permutation of 1 to question_count
// (each entry i swapped with a drawn one); entries above keep their own index.
CardOrder build_card_order(int question_count, Random& random);

// "<br>" becomes CR LF, then "&gt;" ">" and "&lt;" "<"; nothing else changes.
std::string flash_card_text(std::string text);

// "Question #  12" (the table index with a leading blank), CR LF, the question.
std::string card_front(int table_index, const QuestionRecord& question);

// The front followed by the right answers (every non-empty answer of a fill-in
// question), the letters of the right answers and the explanation.
std::string card_back(const std::string& front, const QuestionRecord& question);

}  // namespace qd
