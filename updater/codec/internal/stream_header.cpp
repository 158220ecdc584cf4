#include "stream_header.h"

#include <algorithm>

#include "updater/codec/codec_error.h"

namespace qd::he3 {

namespace {

[[noreturn]] void fail() { throw CodecError(CodecError::Kind::decode_failed); }

bool starts_with(std::span<const std::uint8_t> stream, const std::array<std::uint8_t, 4>& id) {
    return stream.size() >= id.size() && std::equal(id.begin(), id.end(), stream.begin());
}

std::int64_t read_signed_le(std::span<const std::uint8_t> stream, std::size_t offset, int size) {
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i) value |= std::uint64_t{stream[offset + i]} << (8 * i);
    std::uint64_t sign = std::uint64_t{1} << (8 * size - 1);
    return static_cast<std::int64_t>(value ^ sign) - static_cast<std::int64_t>(sign);
}

}  // namespace

StreamForm stream_form(std::span<const std::uint8_t> stream) {
    if (starts_with(stream, stored_id)) return StreamForm::stored;
    if (starts_with(stream, compressed_id)) return StreamForm::compressed;
    fail();
}

CompressedHeader read_compressed_header(std::span<const std::uint8_t> stream) {
    if (stream_form(stream) != StreamForm::compressed || stream.size() < table_offset) fail();
    CompressedHeader header;
    header.checksum = stream[checksum_offset];
    std::int64_t length = read_signed_le(stream, length_offset, 4);
    std::int64_t entry_count = read_signed_le(stream, entry_count_offset, 2);
    if (length < 0 || entry_count < 1 || entry_count > 256) fail();
    header.data_length = static_cast<std::uint32_t>(length);

    std::size_t code_offset = table_offset + 2 * static_cast<std::size_t>(entry_count);
    if (code_offset > stream.size()) fail();
    std::size_t code_bit_count = 0;
    header.entries.resize(static_cast<std::size_t>(entry_count));
    for (std::size_t i = 0; i < header.entries.size(); ++i) {
        header.entries[i].value = stream[table_offset + 2 * i];
        header.entries[i].length = stream[table_offset + 2 * i + 1];
        if (header.entries[i].length == 0) fail();
        code_bit_count += header.entries[i].length;
    }
    header.data_offset = code_offset + (code_bit_count + 7) / 8;
    if (header.data_offset > stream.size()) fail();

    std::size_t bit = 0;
    for (TableEntry& entry : header.entries) {
        for (int k = 0; k < entry.length; ++k, ++bit) {
            std::uint64_t b = (stream[code_offset + bit / 8] >> (bit % 8)) & 1;
            entry.bits[static_cast<std::size_t>(k) / 64] |= b << (k % 64);
        }
    }

    if (header.data_length > 8 * (stream.size() - header.data_offset)) fail();
    return header;
}

}  // namespace qd::he3
