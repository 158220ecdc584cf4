#include "byte_census.h"

#include <algorithm>
#include <cstring>

#include "he3_format.h"
#include "helper_thread.h"

namespace qd::he3 {

namespace {

// One partial table per byte of a word, so that runs of one value do not wait on each other.
using PartialCounts = std::array<std::array<std::uint32_t, 256>, 8>;

std::uint8_t count_block(const std::uint8_t* p, std::size_t size, PartialCounts& partial) {
    std::uint64_t wide = 0;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, sizeof word);
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

ByteCounts total(const PartialCounts& partial) {
    ByteCounts counts{};
    for (int v = 0; v < 256; ++v)
        for (const auto& table : partial) counts[v] += table[v];
    return counts;
}

struct Tally {
    PartialCounts partial{};
    std::uint8_t checksum = 0;

    void count(const std::uint8_t* p, std::size_t size) { checksum ^= count_block(p, size, partial); }
};

}  // namespace

Census count_bytes(std::span<const std::uint8_t> input, ProgressMeter& progress, std::size_t split_from, SecondCore second_core) {
    static_assert(pass_progress_step % count_progress_step == 0);
    const std::size_t size = input.size();
    const bool split = size >= split_from && size >= 2 * pass_progress_step && take_second_core(second_core);
    const std::size_t half = split ? size / 2 / pass_progress_step * pass_progress_step : size;

    // The percentages of the pass are computed for positions 0, step, 2 step,
    // ...; each is raised once the block that starts there is counted, which
    // gives the same sequence as a check after every byte.
    auto report = [&](std::size_t start) { progress.report(static_cast<double>(start) / static_cast<double>(size) * 7); };

    Tally first;
    Tally second;
    std::jthread helper;
    if (split) helper = start_helper([&] { second.count(input.data() + half, size - half); });
    for (std::size_t start = 0; start < half; start += count_progress_step) {
        first.count(input.data() + start, std::min(count_progress_step, half - start));
        report(start);
    }
    if (helper.joinable()) helper.join();
    else if (split) second.count(input.data() + half, size - half);
    for (std::size_t start = half; start < size; start += count_progress_step) report(start);

    Census census;
    census.second_half = half;
    census.counts_before = total(first.partial);
    ByteCounts after = total(second.partial);
    for (int v = 0; v < 256; ++v) census.counts[v] = census.counts_before[v] + after[v];
    census.checksum = first.checksum ^ second.checksum;
    return census;
}

}  // namespace qd::he3
