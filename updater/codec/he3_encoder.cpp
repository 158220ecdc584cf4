#include "he3_encoder.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "bit_writer.h"
#include "code_tree.h"
#include "codec_error.h"
#include "he3_format.h"
#include "output_buffer.h"

namespace qd::he3 {

namespace {

std::uint64_t load_word(const std::uint8_t* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// One partial table per byte of a word, so that runs of one value do not wait on each other.
using PartialCounts = std::array<std::array<std::uint32_t, 256>, 8>;

// Counts the block and returns its XOR checksum, which comes free with the
// words already loaded.
std::uint8_t count_block(const std::uint8_t* p, std::size_t size, PartialCounts& partial) {
    std::uint64_t wide = 0;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word = load_word(p + i);
        wide ^= word;
        ++partial[0][word & 255];
        ++partial[1][(word >> 8) & 255];
        ++partial[2][(word >> 16) & 255];
        ++partial[3][(word >> 24) & 255];
        ++partial[4][(word >> 32) & 255];
        ++partial[5][(word >> 40) & 255];
        ++partial[6][(word >> 48) & 255];
        ++partial[7][word >> 56];
    }
    std::uint8_t sum = 0;
    for (int shift = 0; shift < 64; shift += 8) sum ^= static_cast<std::uint8_t>(wide >> shift);
    for (; i < size; ++i) {
        ++partial[0][p[i]];
        sum ^= p[i];
    }
    return sum;
}

struct Census {
    ByteCounts counts{};
    std::uint8_t checksum = 0;
};

// The percentages of a pass are computed for positions 0, step, 2 step, ...;
// they are raised once the block that starts there is done, which gives the
// same sequence without a check per byte.
Census count_bytes(std::span<const std::uint8_t> input, ProgressMeter& progress) {
    PartialCounts partial{};
    Census census;
    const double n = static_cast<double>(input.size());
    for (std::size_t start = 0; start < input.size(); start += count_progress_step) {
        census.checksum ^= count_block(input.data() + start, std::min(count_progress_step, input.size() - start), partial);
        progress.report(static_cast<double>(start) / n * 7);
    }
    for (int v = 0; v < 256; ++v)
        for (const auto& table : partial) census.counts[v] += table[v];
    return census;
}

// The checksum was taken while counting; its pass still has its percentages.
void report_checksum_pass(std::size_t size, ProgressMeter& progress) {
    const double n = static_cast<double>(size);
    for (std::size_t i = 0; i < size; i += pass_progress_step) progress.report(static_cast<double>(i) / n * 5 + 7);
}

// Codes of up to 56 bits packed as (code << 8) | length: one load per byte.
using PackedCodes = std::array<std::uint64_t, 256>;

// Four codes are joined into one word apart from the writer, so that the joins
// of successive groups overlap; the writer then takes one word per group.
// They fit its free 56 bits nearly always.
void write_short_codes(const std::uint8_t* p, std::size_t size, const PackedCodes& codes, BitWriter& writer) {
    std::size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        std::uint64_t c0 = codes[p[i]];
        std::uint64_t c1 = codes[p[i + 1]];
        std::uint64_t c2 = codes[p[i + 2]];
        std::uint64_t c3 = codes[p[i + 3]];
        unsigned l0 = c0 & 255;
        unsigned l01 = l0 + (c1 & 255);
        unsigned l012 = l01 + (c2 & 255);
        unsigned total = l012 + (c3 & 255);
        if (total <= BitWriter::max_short_code) [[likely]] {
            writer.add((c0 >> 8) | ((c1 >> 8) << l0) | ((c2 >> 8) << l01) | ((c3 >> 8) << l012), total);
            writer.flush();
        } else {
            writer.put(c0 >> 8, c0 & 255);
            writer.put(c1 >> 8, c1 & 255);
            writer.put(c2 >> 8, c2 & 255);
            writer.put(c3 >> 8, c3 & 255);
        }
    }
    for (; i < size; ++i) writer.put(codes[p[i]] >> 8, codes[p[i]] & 255);
}

// For large inputs with codes of up to 28 bits: one table entry per pair of
// bytes, (joined codes << 8) | joined length. Two entries (four bytes) fill
// the writer's free 56 bits in one step.
constexpr unsigned longest_pair_code = BitWriter::max_short_code / 2;
constexpr std::size_t pair_table_worth = 1u << 20;  // below this, building the table costs more than it saves

void write_code_pairs(const std::uint8_t* p, std::size_t size, const std::vector<std::uint64_t>& pairs,
                      const PackedCodes& codes, BitWriter& writer) {
    std::size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        std::uint64_t c0 = pairs[p[i] | (p[i + 1] << 8)];
        std::uint64_t c1 = pairs[p[i + 2] | (p[i + 3] << 8)];
        unsigned l0 = c0 & 255;
        unsigned total = l0 + (c1 & 255);
        if (total <= BitWriter::max_short_code) [[likely]] {
            writer.add((c0 >> 8) | ((c1 >> 8) << l0), total);
            writer.flush();
        } else {
            writer.put(c0 >> 8, l0);
            writer.put(c1 >> 8, c1 & 255);
        }
    }
    for (; i < size; ++i) writer.put(codes[p[i]] >> 8, codes[p[i]] & 255);
}

std::vector<std::uint64_t> pair_table(const PackedCodes& codes) {
    std::vector<std::uint64_t> pairs(1u << 16);
    for (unsigned first = 0; first < 256; ++first) {
        for (unsigned second = 0; second < 256; ++second) {
            std::uint64_t a = codes[first];
            std::uint64_t b = codes[second];
            pairs[first | (second << 8)] = ((a >> 8) | ((b >> 8) << (a & 255))) << 8 | ((a & 255) + (b & 255));
        }
    }
    return pairs;
}

void write_data_bits(std::span<const std::uint8_t> input, const CodeBook& book, BitWriter& writer,
                     ProgressMeter& progress) {
    unsigned longest = *std::max_element(book.length.begin(), book.length.end());
    PackedCodes packed{};
    if (longest <= BitWriter::max_short_code)
        for (int v = 0; v < 256; ++v) packed[v] = (book.bits[v][0] << 8) | book.length[v];

    std::vector<std::uint64_t> pairs;
    if (longest <= longest_pair_code && input.size() >= pair_table_worth) pairs = pair_table(packed);

    const double n = static_cast<double>(input.size());
    for (std::size_t start = 0; start < input.size(); start += pass_progress_step) {
        std::size_t size = std::min(pass_progress_step, input.size() - start);
        const std::uint8_t* p = input.data() + start;
        if (!pairs.empty()) {
            write_code_pairs(p, size, pairs, packed, writer);
        } else if (longest <= BitWriter::max_short_code) {
            write_short_codes(p, size, packed, writer);
        } else {
            // Deeper trees need more input than the 32-bit length allows; kept for completeness.
            for (std::size_t i = 0; i < size; ++i) writer.put_long(book.bits[p[i]], book.length[p[i]]);
        }
        progress.report(static_cast<double>(start) / n * 88 + 12);
    }
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

std::vector<std::uint8_t> encode_stream(std::span<const std::uint8_t> input, ProgressMeter& progress) {
    if (input.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw CodecError(CodecError::Kind::input_too_large);
    if (input.empty()) return stored_stream(input);

    Census census = count_bytes(input, progress);
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

    BitWriter data_writer(&out[header_size + code_bytes]);
    write_data_bits(input, book, data_writer, progress);
    data_writer.finish();

    out.resize(total);
    progress.finish();
    return out;
}

}  // namespace qd::he3
