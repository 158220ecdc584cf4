#pragma once
// Byte layout of the two stream forms. Multi-byte integers are little-endian.
//
// Stored form:      "HE0" CR, then the data unchanged.
// Compressed form:  "HE3" CR, XOR checksum of the data (1), data length (4,
//                   signed), number of table entries N (2, signed, 1 to 256),
//                   N pairs (byte value, code length 1 to 255), the code bits
//                   of the table entries, then the data bits from a fresh byte.
// Bits fill each byte from its lowest bit up; a code's first bit is the branch
// taken at the root of the code tree.
#include <array>
#include <cstddef>
#include <cstdint>

namespace qd::he3 {

inline constexpr std::array<std::uint8_t, 4> stored_id{72, 69, 48, 13};
inline constexpr std::array<std::uint8_t, 4> compressed_id{72, 69, 51, 13};

inline constexpr std::size_t id_size = 4;
inline constexpr std::size_t checksum_offset = 4;
inline constexpr std::size_t length_offset = 5;
inline constexpr std::size_t entry_count_offset = 9;
inline constexpr std::size_t table_offset = 11;

inline constexpr int max_code_length = 255;
// Both coders keep their tree in a store of this many nodes; a full tree over
// 256 byte values needs 511.
inline constexpr int node_store_size = 512;

// Progress is looked at every this many bytes of a pass.
inline constexpr std::size_t count_progress_step = 1000;
inline constexpr std::size_t pass_progress_step = 10000;

// Up to 256 code bits, bit k of the code at bit k % 64 of word k / 64.
using CodeBits = std::array<std::uint64_t, 4>;

inline int code_bit(const CodeBits& bits, int k) {
    return static_cast<int>((bits[static_cast<std::size_t>(k) / 64] >> (k % 64)) & 1);
}

}  // namespace qd::he3
