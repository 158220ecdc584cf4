#pragma once
// The wrong answers of the quiz just finished, handed from the results window
// to the main menu's next load, which builds the retake from them.
#include <array>
#include <cstdint>

namespace qd {

struct RetakeHandover {
    std::array<std::int16_t, 2001> missed_ids{};  // entries 1 to missed_count: question ids graded wrong, in quiz order
    std::int16_t missed_count = 0;
    std::int16_t retake_request = 0;  // the exam option to retake; 0 means none
};

}  // namespace qd
