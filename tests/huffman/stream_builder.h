#pragma once
// Hand-built HE3 streams for the tests: codes are written as strings of '0'
// and '1' in stream order (the first character is the branch at the root).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qd::testing {

using Bytes = std::vector<std::uint8_t>;

Bytes bytes_of(std::string_view text);
std::uint8_t xor_of(const Bytes& bytes);

struct HandCode {
    std::uint8_t value;
    std::string bits;
};

struct HandStream {
    std::vector<HandCode> table;
    std::string data_bits;      // the data section, bit by bit
    std::uint32_t length = 0;   // the length field
    std::uint8_t checksum = 0;  // the checksum field
    Bytes build() const;
};

// Packs '0'/'1' characters lowest bit first; the last byte's high bits are 0.
Bytes pack_bits(std::string_view bits);

// The data bits of the given values, each written with the first code of the
// table that carries it.
std::string data_bits_for(const std::vector<HandCode>& table, const Bytes& values);

}  // namespace qd::testing
