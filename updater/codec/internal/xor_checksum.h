#pragma once
// The stream checksum: the XOR of all data bytes, taken eight bytes at a time.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qd::he3 {

inline std::uint8_t xor_bytes(const std::uint8_t* p, std::size_t size) {
    std::uint64_t wide[4] = {0, 0, 0, 0};
    std::size_t i = 0;
    for (; i + 32 <= size; i += 32) {
        for (int lane = 0; lane < 4; ++lane) {
            std::uint64_t word;
            std::memcpy(&word, p + i + 8 * lane, sizeof word);
            wide[lane] ^= word;
        }
    }
    std::uint64_t all = wide[0] ^ wide[1] ^ wide[2] ^ wide[3];
    std::uint8_t sum = 0;
    for (int shift = 0; shift < 64; shift += 8) sum ^= static_cast<std::uint8_t>(all >> shift);
    for (; i < size; ++i) sum ^= p[i];
    return sum;
}

}  // namespace qd::he3
