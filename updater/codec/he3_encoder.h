#pragma once
// The encoding half of the codec: one static code per input, built from the
// input's own byte counts.
#include <cstdint>
#include <span>
#include <vector>

#include "progress_meter.h"

namespace qd::he3 {

// The stored or compressed stream of the input. Progress runs 7 % through
// counting, 5 % through the checksum and 88 % through the data bits, ending on
// 100 for the compressed form; the stored form has no closing 100.
// Throws CodecError (input_too_large) past 2^31 - 1 bytes.
std::vector<std::uint8_t> encode_stream(std::span<const std::uint8_t> input, ProgressMeter& progress);

}  // namespace qd::he3
