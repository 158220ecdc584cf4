#pragma once
// What the main menu decided about the quiz being built.
#include <array>
#include <chrono>
#include <cstdint>

#include "bank/state_codes.h"

namespace qd {

struct SetupState {
    std::int16_t total_questions = 0;
    std::int16_t quiz_choice = 1;  // the exam option 1 to 6 the quiz was built from
    std::int16_t wrong_only = wrong_only_code::not_repeating;
    std::int16_t category_quiz = flag_code::clear;      // set for a category quiz
    std::array<std::int16_t, 151> category_selected{};  // flag_code::set for each chosen category
    std::chrono::system_clock::time_point time_started{};
    std::int16_t retake_in_progress = 0;
};

}  // namespace qd
