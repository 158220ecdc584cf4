#include "second_half.h"

#include <algorithm>
#include <new>

#include "data_decoder.h"

namespace qd::he3 {

namespace {

// Between two checkpoints the fast loop reads about this many bytes.
constexpr std::ptrdiff_t checkpoint_step = 1 << 16;

void walk(const DecodeTrie& trie, const DecodeTable& table, DataSpan span, std::size_t bit, std::size_t capacity,
          const std::stop_token& stop, SecondHalf& half) {
    half.code_starts.push_back(bit);
    for (std::size_t i = 0; i < SecondHalf::matched_codes && half.count < capacity; ++i) {
        int value = walk_one_code(trie, span.data, span.available_bits, bit);
        if (value < 0) return;
        half.bytes[half.count++] = static_cast<std::uint8_t>(value);
        half.code_starts.push_back(bit);
    }

    DataDecoder decoder{
        trie, table, span.data, span.data + span.available_bits / 8, half.bytes.get() + half.count, half.bytes.get() + capacity};
    decoder.seek(bit);
    auto mark = [&] {
        half.count = static_cast<std::size_t>(decoder.out - half.bytes.get());
        half.checkpoints.push_back({decoder.bits_consumed(), half.count});
    };
    mark();
    try {
        while (!stop.stop_requested() && decoder.fast_stretch(decoder.in + std::min(checkpoint_step, decoder.in_end - decoder.in)))
            mark();
    } catch (const CodecError&) {
        // A long code whose path the tree lacks: the bytes before that lookup stand.
        half.count = static_cast<std::size_t>(decoder.out - half.bytes.get());
        return;
    }
    if (stop.stop_requested()) return;
    mark();

    bit = decoder.bits_consumed();
    while (half.count < capacity) {
        int value = walk_one_code(trie, span.data, span.available_bits, bit);
        if (value < 0) break;
        half.bytes[half.count++] = static_cast<std::uint8_t>(value);
    }
    half.checkpoints.push_back({bit, half.count});
}

}  // namespace

std::size_t SecondHalf::bit_after(const DecodeTrie& trie, const std::uint8_t* data, std::size_t available_bits,
                                  std::size_t wanted) const {
    if (wanted < code_starts.size()) return code_starts[wanted];
    auto after = std::upper_bound(checkpoints.begin(), checkpoints.end(), wanted,
                                  [](std::size_t codes, const WalkPoint& point) { return codes < point.count; });
    // The first checkpoint is the last code start, so one at or before `wanted` exists.
    const WalkPoint& from = *std::prev(after);
    std::size_t bit = from.bit;
    for (std::size_t i = from.count; i < wanted; ++i) walk_one_code(trie, data, available_bits, bit);
    return bit;
}

void decode_second_half(const DecodeTrie& trie, const DecodeTable& table, DataSpan span, std::size_t start_bit,
                        std::size_t capacity, std::stop_token stop, SecondHalf& result) noexcept {
    try {
        // Not zero-filled: only the pages written are ever touched.
        result.bytes.reset(new std::uint8_t[capacity + output_margin]);
        result.code_starts.reserve(SecondHalf::matched_codes + 1);
        walk(trie, table, span, start_bit, capacity, stop, result);
    } catch (const std::bad_alloc&) {
        result = SecondHalf{};
    }
}

}  // namespace qd::he3
