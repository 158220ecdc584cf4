#pragma once
// Decoding the second half of a large stream's data bits on another core
// while the caller's thread decodes the first. Nobody knows where a code
// begins in the middle of the data, so the second walk starts at a guessed
// bit. Prefix codes fall back into step quickly: once the first walk reaches a
// code boundary that the second walk also had, both read the same codes from
// there on, and the second walk's bytes are the true ones. When no boundary
// matches, the first walk just goes on alone.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

#include "decode_table.h"
#include "decode_trie.h"

namespace qd::he3 {

// A code boundary of the second walk: the data bit before code `count`.
struct WalkPoint {
    std::size_t bit = 0;
    std::size_t count = 0;
};

struct SecondHalf {
    // The second walk's first codes are taken one at a time so that each of
    // their boundaries can be matched; this many of them.
    static constexpr std::size_t matched_codes = 4096;

    std::vector<std::size_t> code_starts;  // the bit before code i, for i up to matched_codes
    std::vector<WalkPoint> checkpoints;    // sparse boundaries after those, in order
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t count = 0;  // bytes decoded

    // The data bit after the first `count` bytes (count <= this->count).
    std::size_t bit_after(const DecodeTrie& trie, const std::uint8_t* data, std::size_t available_bits, std::size_t count) const;
};

struct DataSpan {
    const std::uint8_t* data;  // first byte of the data bits
    std::size_t available_bits;
};

// Walks from start_bit until the bits end, the tree has no path, `capacity`
// bytes are decoded or a stop is requested. Never throws: memory that cannot
// be had leaves an empty result that matches nothing.
void decode_second_half(const DecodeTrie& trie, const DecodeTable& table, DataSpan span, std::size_t start_bit,
                        std::size_t capacity, std::stop_token stop, SecondHalf& result) noexcept;

// Where a walk in step from `bit` joins the second walk: the index of the
// matching code start, walking the caller's codes one at a time through
// `walk_code` (which returns false when the caller's walk is done).
template <typename WalkCode>
std::optional<std::size_t> join_second_half(const SecondHalf& half, std::size_t& bit, WalkCode walk_code) {
    const std::vector<std::size_t>& starts = half.code_starts;
    std::size_t j = 0;
    while (true) {
        while (j < starts.size() && starts[j] < bit) ++j;
        if (j == starts.size()) return std::nullopt;
        if (starts[j] == bit) return j;
        if (!walk_code(bit)) return std::nullopt;
    }
}

}  // namespace qd::he3
