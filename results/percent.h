#pragma once
// The share of right answers as the results window and the history report show it.
#include <optional>

namespace qd {

// right / asked x 100, rounded down; no value when nothing was asked. Whole
// numbers throughout, so 29 of 50 is 58, which the same sum in floating point
// would show as 57.
inline std::optional<int> percent_right(int right, int asked) {
    if (asked <= 0) return std::nullopt;
    const long long scaled = static_cast<long long>(right) * 100;
    long long quotient = scaled / asked;
    if (scaled % asked != 0 && scaled < 0) --quotient;  // down, not toward zero
    return static_cast<int>(quotient);
}

}  // namespace qd
