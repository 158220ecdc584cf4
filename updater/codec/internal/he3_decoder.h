#pragma once
// The decoding half of the codec.
#include <cstdint>
#include <span>
#include <vector>

#include "progress_meter.h"
#include "second_core.h"

namespace qd::he3 {

// The data held by a stored or compressed stream; bytes after the end of the
// stream are ignored. Throws CodecError (decode_failed) for anything else: an
// unknown identification, a malformed table, a path the code tree does not
// have, data bits that end before the promised length, a checksum mismatch.
// Progress runs to 89 % through the data bits and to 100 through the check;
// the stored form raises none.
//
// Streams with at least split_from_data_bytes of data bits are decoded by two
// walks at once, the second on another thread (second_half.h), when
// second_core allows it; the result and Progress are the same.
struct DecodeTuning {
    std::size_t split_from_data_bytes = std::size_t{1} << 20;
    SecondCore second_core = SecondCore::automatic;
};
std::vector<std::uint8_t> decode_stream(std::span<const std::uint8_t> stream, ProgressMeter& progress,
                                        const DecodeTuning& tuning = {});

}  // namespace qd::he3
