#include "data_writer.h"

#include <algorithm>
#include <array>
#include <vector>

#include "bit_writer.h"
#include "helper_thread.h"

namespace qd::he3 {

namespace {

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

void write_code_pairs(const std::uint8_t* p, std::size_t size, const std::vector<std::uint64_t>& pairs, const PackedCodes& codes,
                      BitWriter& writer) {
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

// The code book in the forms the writing loops want.
class Coder {
public:
    Coder(const CodeBook& book, std::size_t input_size) : book_(book) {
        longest_ = *std::max_element(book.length.begin(), book.length.end());
        if (short_codes()) {
            for (int v = 0; v < 256; ++v) packed_[v] = (book.bits[v][0] << 8) | book.length[v];
            if (longest_ <= longest_pair_code && input_size >= pair_table_worth) pairs_ = pair_table(packed_);
        }
    }

    bool short_codes() const { return longest_ <= BitWriter::max_short_code; }

    void write(const std::uint8_t* p, std::size_t size, BitWriter& writer) const {
        if (!pairs_.empty()) {
            write_code_pairs(p, size, pairs_, packed_, writer);
        } else if (short_codes()) {
            write_short_codes(p, size, packed_, writer);
        } else {
            // Deeper trees need more input than the 32-bit length allows; kept for completeness.
            for (std::size_t i = 0; i < size; ++i) writer.put_long(book_.bits[p[i]], book_.length[p[i]]);
        }
    }

    std::uint64_t bits_of(const ByteCounts& counts) const {
        std::uint64_t bits = 0;
        for (int v = 0; v < 256; ++v) bits += std::uint64_t{counts[v]} * book_.length[v];
        return bits;
    }

private:
    const CodeBook& book_;
    unsigned longest_ = 0;
    PackedCodes packed_{};
    std::vector<std::uint64_t> pairs_;
};

// The second half's codes. Its first byte is shared with the end of the first
// half, and the first half's writer may store up to 8 bytes past its end, so
// the second half's first 16 bytes go to `head` and are merged in afterwards.
struct SecondHalfWriter {
    static constexpr std::size_t head_size = 16;
    std::array<std::uint8_t, head_size + 2 * sizeof(std::uint64_t)> head{};
    std::size_t head_bytes = 0;

    void write(std::span<const std::uint8_t> input, const Coder& coder, std::uint64_t start_bit, std::uint8_t* out) {
        BitWriter writer(head.data(), static_cast<unsigned>(start_bit % 8));
        std::size_t i = 0;
        while (i < input.size() && writer.position() < head.data() + head_size) coder.write(&input[i++], 1, writer);
        if (i == input.size()) {  // all of it fits in the head
            head_bytes = static_cast<std::size_t>(writer.finish() - head.data());
            return;
        }
        head_bytes = static_cast<std::size_t>(writer.position() - head.data());
        writer.move_to(out + start_bit / 8 + head_bytes);
        coder.write(input.data() + i, input.size() - i, writer);
        writer.finish();
    }

    void merge_head(std::uint64_t start_bit, std::uint8_t* out) const {
        std::uint8_t* at = out + start_bit / 8;
        at[0] |= head[0];
        std::copy(head.begin() + 1, head.begin() + static_cast<std::ptrdiff_t>(head_bytes), at + 1);
    }
};

}  // namespace

void write_data_bits(std::span<const std::uint8_t> input, const CodeBook& book, const Census& census, std::uint8_t* out,
                     ProgressMeter& progress) {
    const Coder coder(book, input.size());
    const std::size_t half = coder.short_codes() ? census.second_half : input.size();
    const std::uint64_t half_bit = coder.bits_of(census.counts_before);

    SecondHalfWriter second;
    auto write_second = [&] { second.write(input.subspan(half), coder, half_bit, out); };
    std::jthread helper;
    if (half < input.size()) helper = start_helper(write_second);

    // Percentages for the start of each block, raised once the block is written.
    const double n = static_cast<double>(input.size());
    auto report = [&](std::size_t start) { progress.report(static_cast<double>(start) / n * 88 + 12); };
    BitWriter writer(out);
    for (std::size_t start = 0; start < half; start += pass_progress_step) {
        coder.write(input.data() + start, std::min(pass_progress_step, half - start), writer);
        report(start);
    }
    writer.finish();

    if (half == input.size()) return;
    if (helper.joinable()) helper.join();
    else write_second();
    second.merge_head(half_bit, out);
    for (std::size_t start = half; start < input.size(); start += pass_progress_step) report(start);
}

}  // namespace qd::he3
