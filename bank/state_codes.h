#pragma once
// The numbers the program's state keeps as codes, named once. Each is the
// value the program has always kept, so files and settings keep their bytes.
#include <cstdint>

namespace qd {

// A table record's result.
namespace result_code {
inline constexpr std::int16_t not_graded = 0;
inline constexpr std::int16_t right = 1;
inline constexpr std::int16_t wrong = 2;
inline constexpr std::int16_t queued = 3;
}  // namespace result_code

// The verdict of the most recent check of an answer.
namespace verdict_code {
inline constexpr std::int16_t none = 0;  // never checked
inline constexpr std::int16_t right = 1;
inline constexpr std::int16_t wrong = 99;
}  // namespace verdict_code

// Whether the quiz being built repeats the previous wrong answers.
namespace wrong_only_code {
inline constexpr std::int16_t repeating = 1;
inline constexpr std::int16_t not_repeating = 99;
}  // namespace wrong_only_code

// The working value of a timed quiz.
namespace timed_code {
inline constexpr std::int16_t untimed = 0;
inline constexpr std::int16_t running = 1;
inline constexpr std::int16_t over = 99;  // time ran out, or the results are shown
}  // namespace timed_code

// Yes/no values that mark with -1: a category quiz, a chosen category, the
// practice mode, radio buttons, a bank with categories.
namespace flag_code {
inline constexpr std::int16_t set = -1;
inline constexpr std::int16_t clear = 0;
}  // namespace flag_code

}  // namespace qd
