#include "he3_encoder.h"

#include <algorithm>
#include <limits>

#include "bit_writer.h"
#include "byte_census.h"
#include "code_tree.h"
#include "data_writer.h"
#include "he3_format.h"
#include "output_buffer.h"
#include "updater/codec/codec_error.h"

namespace qd::he3 {

namespace {

// The checksum was taken while counting; its pass still has its percentages.
void report_checksum_pass(std::size_t size, ProgressMeter& progress) {
    const double n = static_cast<double>(size);
    for (std::size_t i = 0; i < size; i += pass_progress_step) progress.report(static_cast<double>(i) / n * 5 + 7);
}

void put_le(std::uint8_t* out, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> stored_stream(std::span<const std::uint8_t> input) {
    std::vector<std::uint8_t> out = output_buffer(id_size + input.size());
    std::copy(stored_id.begin(), stored_id.end(), out.begin());
    std::copy(input.begin(), input.end(), out.begin() + id_size);
    return out;
}

}  // namespace

std::vector<std::uint8_t> encode_stream(std::span<const std::uint8_t> input, ProgressMeter& progress, const EncodeTuning& tuning) {
    if (input.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw CodecError(CodecError::Kind::input_too_large);
    if (input.empty()) return stored_stream(input);

    Census census = count_bytes(input, progress, tuning.split_from_bytes, tuning.second_core);
    const ByteCounts& counts = census.counts;
    CodeBook book = build_code_book(counts);

    std::uint64_t data_bits = 0;
    std::uint64_t code_bits = 0;
    int entries = 0;
    for (int v = 0; v < 256; ++v) {
        data_bits += std::uint64_t{counts[v]} * book.length[v];
        code_bits += book.length[v];
        if (book.length[v] > 0) ++entries;
    }
    std::uint64_t data_bytes = (data_bits + 7) / 8;
    // Only the data bytes are weighed against the input, not the header.
    if (data_bytes == 0 || data_bytes > input.size()) return stored_stream(input);

    std::size_t code_bytes = static_cast<std::size_t>((code_bits + 7) / 8);
    std::size_t header_size = table_offset + 2 * static_cast<std::size_t>(entries);
    std::size_t total = header_size + code_bytes + static_cast<std::size_t>(data_bytes);
    std::vector<std::uint8_t> out = output_buffer(total + sizeof(std::uint64_t));  // room for the writer's last store

    std::copy(compressed_id.begin(), compressed_id.end(), out.begin());
    out[checksum_offset] = census.checksum;
    report_checksum_pass(input.size(), progress);
    put_le(&out[length_offset], input.size(), 4);
    put_le(&out[entry_count_offset], static_cast<std::uint64_t>(entries), 2);
    std::uint8_t* table = &out[table_offset];
    for (int v = 0; v < 256; ++v) {
        if (book.length[v] == 0) continue;
        *table++ = static_cast<std::uint8_t>(v);
        *table++ = book.length[v];
    }

    BitWriter code_writer(&out[header_size]);
    for (int v = 0; v < 256; ++v)
        if (book.length[v] > 0) code_writer.put_long(book.bits[v], book.length[v]);
    code_writer.finish();

    write_data_bits(input, book, census, &out[header_size + code_bytes], progress);

    out.resize(total);
    progress.finish();
    return out;
}

}  // namespace qd::he3
