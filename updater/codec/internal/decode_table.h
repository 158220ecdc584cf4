#pragma once
// The fast decoder's lookup table, indexed by the next lookup_bits bits of the
// data (the next bit at bit 0 of the index). An entry holds every whole code
// that those bits begin with, up to three, so one lookup can give several bytes.
//
// Entry layout, the bit count lowest so that it can shift the bit buffer as it is:
//   bits 0-3    the bits the codes take together (bits 4-5 stay 0)
//   bits 6-7    how many bytes (1 to 3)
//   bits 8-31   up to three decoded bytes, the first in bits 8-15
// An entry with no byte is either a long code (long_code_flag set), whose walk
// goes on in the tree from the node in bits 8-23, or 0: a path the tree does
// not have.
#include <array>
#include <cstdint>

#include "decode_trie.h"

namespace qd::he3 {

inline constexpr int lookup_bits = 13;
inline constexpr std::uint32_t long_code_flag = 1u << 4;

inline unsigned entry_bit_count(std::uint32_t entry) { return entry & 63; }
inline unsigned entry_byte_count(std::uint32_t entry) { return (entry >> 6) & 3; }
inline std::uint32_t entry_bytes(std::uint32_t entry) { return entry >> 8; }

using DecodeTable = std::array<std::uint32_t, 1u << lookup_bits>;

void build_decode_table(const DecodeTrie& trie, DecodeTable& table);

}  // namespace qd::he3
