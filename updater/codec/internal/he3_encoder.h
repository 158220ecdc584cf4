#pragma once
// The encoding half of the codec: one static code per input, built from the
// input's own byte counts.
#include <cstdint>
#include <span>
#include <vector>

#include "progress_meter.h"
#include "second_core.h"

namespace qd::he3 {

// The stored or compressed stream of the input. Progress runs 7 % through
// counting, 5 % through the checksum and 88 % through the data bits, ending on
// 100 for the compressed form; the stored form has no closing 100.
// Throws CodecError (input_too_large) past 2^31 - 1 bytes.
//
// Inputs of at least split_from_bytes are counted and coded in two halves at
// once, the second on another thread, when second_core allows it; the stream
// and Progress are the same.
struct EncodeTuning {
    std::size_t split_from_bytes = std::size_t{1} << 20;
    SecondCore second_core = SecondCore::automatic;
};
std::vector<std::uint8_t> encode_stream(std::span<const std::uint8_t> input, ProgressMeter& progress,
                                        const EncodeTuning& tuning = {});

}  // namespace qd::he3
