#pragma once
// The encoder's code table: a Huffman tree built from the byte counts with the
// stream format's merge rule, and each value's path from the root as its code.
#include <array>
#include <cstdint>

#include "he3_format.h"

namespace qd::he3 {

using ByteCounts = std::array<std::uint32_t, 256>;

struct CodeBook {
    // 0 for a value that does not occur, and for the only value of an input
    // that holds a single distinct value (its tree is one leaf).
    std::array<std::uint8_t, 256> length{};
    std::array<CodeBits, 256> bits{};
};

CodeBook build_code_book(const ByteCounts& counts);

}  // namespace qd::he3
