#pragma once
// The encoder's first pass: how often each byte value occurs, and the XOR
// checksum, which comes free with the words already loaded. A large input is
// counted in two halves at once, the second on another thread.
#include <cstddef>
#include <cstdint>
#include <span>

#include "code_tree.h"
#include "progress_meter.h"
#include "second_core.h"

namespace qd::he3 {

struct Census {
    ByteCounts counts{};
    std::uint8_t checksum = 0;
    // The input is coded in two halves from here on (the size for one);
    // counts_before holds the counts of the bytes before it.
    std::size_t second_half = 0;
    ByteCounts counts_before{};
};

// Progress runs to 7 % through the pass. The second half begins at a multiple
// of the data pass's Progress step, or not at all below split_from bytes or
// when second_core rules it out.
Census count_bytes(std::span<const std::uint8_t> input, ProgressMeter& progress, std::size_t split_from, SecondCore second_core);

}  // namespace qd::he3
