#pragma once
// The fast decoder's lookup table, indexed by the next lookup_bits bits of the
// data (the next bit at bit 0 of the index). An entry holds every whole code
// that those bits begin with, up to three, so one lookup can give several bytes.
//
// Entry layout:
//   bits 0-23   up to three decoded bytes, the first in bits 0-7
//   bits 24-27  the bits those codes take together
//   bits 28-29  how many bytes (1 to 3)
// An entry with no byte is either a long code, whose walk goes on in the tree
// from the node in bits 0-15 (with long_code_flag set), or 0: a path the tree
// does not have.
#include <array>
#include <cstdint>

#include "decode_trie.h"

namespace qd::he3 {

inline constexpr int lookup_bits = 11;
inline constexpr std::uint32_t long_code_flag = 1u << 30;

inline unsigned entry_byte_count(std::uint32_t entry) { return (entry >> 28) & 3; }
inline unsigned entry_bit_count(std::uint32_t entry) { return (entry >> 24) & 15; }

using DecodeTable = std::array<std::uint32_t, 1u << lookup_bits>;

void build_decode_table(const DecodeTrie& trie, DecodeTable& table);

}  // namespace qd::he3
