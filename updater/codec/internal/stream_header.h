#pragma once
// Reading the identification, header and code table of a stream. Every field
// is checked against the bytes actually present before it is used.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "he3_format.h"

namespace qd::he3 {

enum class StreamForm { stored, compressed };

// The form named by the first four bytes; throws the decode error otherwise.
StreamForm stream_form(std::span<const std::uint8_t> stream);

struct TableEntry {
    std::uint8_t value = 0;
    std::uint8_t length = 0;
    CodeBits bits{};
};

struct CompressedHeader {
    std::uint8_t checksum = 0;
    std::uint32_t data_length = 0;
    std::vector<TableEntry> entries;  // in stream order
    std::size_t data_offset = 0;      // first byte of the data bits
};

// Throws the decode error when the header or table is malformed, runs past
// the end of the stream, or promises more bytes than the data bits can hold
// (every code is at least one bit long).
CompressedHeader read_compressed_header(std::span<const std::uint8_t> stream);

}  // namespace qd::he3
