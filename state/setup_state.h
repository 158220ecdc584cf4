#pragma once
// What the main menu decided about the quiz being built.
#include <array>
#include <chrono>
#include <cstdint>

namespace qd {

struct SetupState {
    std::int16_t total_questions = 0;
    std::int16_t quiz_choice = 1;       // the exam option 1 to 6 the quiz was built from
    std::int16_t wrong_only = 99;       // 1 while a quiz repeats wrong answers, 99 otherwise
    std::int16_t category_quiz = 0;     // -1 for a category quiz
    std::array<std::int16_t, 151> category_selected{};  // -1 for each chosen category
    std::chrono::system_clock::time_point time_started{};
    std::int16_t retake_in_progress = 0;
};

}  // namespace qd
