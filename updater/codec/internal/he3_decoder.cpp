#include "he3_decoder.h"

#include <algorithm>

#include "data_decoder.h"
#include "helper_thread.h"
#include "output_buffer.h"
#include "second_half.h"
#include "stream_header.h"
#include "xor_checksum.h"

namespace qd::he3 {

namespace {

// Progress of the data walk: after every input byte whose 1-based position is
// a multiple of 10000, once the walk has gone past it without being done.
class WalkProgress {
public:
    WalkProgress(ProgressMeter& meter, std::size_t stream_size, std::size_t data_offset)
        : meter_(meter), stream_size_(stream_size), data_offset_(data_offset) {
        next_ = (data_offset / pass_progress_step + 1) * pass_progress_step;
    }

    // The input position past which the next percentage is due.
    std::size_t next_position() const { return next_; }

    void passed(std::size_t bits_consumed) {
        while (next_ <= stream_size_ && bits_consumed > (next_ - data_offset_) * 8) {
            meter_.report(static_cast<double>(next_) / static_cast<double>(stream_size_) * 89);
            next_ += pass_progress_step;
        }
    }

private:
    ProgressMeter& meter_;
    std::size_t stream_size_;
    std::size_t data_offset_;
    std::size_t next_;
};

// The first walk over the data bits, with its checksum and progress.
class FirstWalk {
public:
    FirstWalk(DataDecoder& decoder, WalkProgress& walk, std::span<const std::uint8_t> stream)
        : decoder_(decoder), walk_(walk), stream_(stream), summed_(decoder.out) {}

    // Fast stretches until the walk is past data bit `until` or near an end.
    void run_until(std::size_t until) {
        const std::size_t data_offset = static_cast<std::size_t>(decoder_.data - stream_.data());
        // A stretch ends 8 bytes past its stop, where the walk has surely gone beyond it.
        const std::size_t last_stop = std::min(data_offset + until / 8 + 8, stream_.size());
        while (true) {
            std::size_t stop = std::min(walk_.next_position() + 8, last_stop);
            bool reached = decoder_.fast_stretch(stream_.data() + stop);
            take_sum();
            if (!reached) return;
            walk_.passed(decoder_.bits_consumed());
            if (decoder_.bits_consumed() > until) return;
        }
    }

    // The XOR of the bytes written since the last call, while they are still in the cache.
    void take_sum() {
        sum_ ^= xor_bytes(summed_, static_cast<std::size_t>(decoder_.out - summed_));
        summed_ = decoder_.out;
    }

    std::uint8_t sum() const { return sum_; }

private:
    DataDecoder& decoder_;
    WalkProgress& walk_;
    std::span<const std::uint8_t> stream_;
    std::uint8_t* summed_;
    std::uint8_t sum_ = 0;
};

bool worth_a_second_walk(std::size_t data_bytes, const DecodeTuning& tuning) {
    return data_bytes >= tuning.split_from_data_bytes && take_second_core(tuning.second_core);
}

// Joins the first walk, which has reached the middle, to the second one and
// takes the rest of the bytes from it. False when the walks never fell into
// step or the second one stopped short; the first walk then goes on alone
// from where it is.
bool join_walks(DataDecoder& decoder, FirstWalk& first, const SecondHalf& second, WalkProgress& walk) {
    const std::size_t available = decoder.available_bits();
    std::size_t bit = decoder.bits_consumed();
    bool done = false;
    std::optional<std::size_t> joined = join_second_half(second, bit, [&](std::size_t& at) {
        if (decoder.out == decoder.out_end) {
            done = true;
            return false;
        }
        int value = walk_one_code(decoder.trie, decoder.data, available, at);
        if (value < 0) decode_failed();
        *decoder.out++ = static_cast<std::uint8_t>(value);
        return true;
    });
    first.take_sum();
    if (done) {
        walk.passed(bit);
        return true;
    }
    decoder.seek(bit);
    if (!joined) return false;

    const std::size_t needed = static_cast<std::size_t>(decoder.out_end - decoder.out);
    // Short of bytes, the true walk fails where the second one stopped, or runs
    // past what it could hold; the first walk finds out alone, with the
    // Progress of a single walk up to its failure.
    if (second.count - *joined < needed) return false;
    std::copy_n(second.bytes.get() + *joined, needed, decoder.out);
    decoder.out += needed;
    first.take_sum();
    walk.passed(second.bit_after(decoder.trie, decoder.data, available, *joined + needed));
    return true;
}

// Decodes all data bits into out and returns the XOR of the bytes written.
std::uint8_t decode_data(std::span<const std::uint8_t> stream, const CompressedHeader& header, std::vector<std::uint8_t>& out,
                         ProgressMeter& progress, const DecodeTuning& tuning) {
    DecodeTrie trie;
    for (const TableEntry& entry : header.entries)
        if (!trie.insert_code_path(entry.bits, entry.length, entry.value)) decode_failed();
    DecodeTable table;
    build_decode_table(trie, table);

    DataDecoder decoder{
        trie, table, stream.data() + header.data_offset, stream.data() + stream.size(), out.data(), out.data() + out.size()};
    WalkProgress walk(progress, stream.size(), header.data_offset);
    FirstWalk first(decoder, walk, stream);
    const std::size_t data_bytes = stream.size() - header.data_offset;

    if (worth_a_second_walk(data_bytes, tuning)) {
        SecondHalf second;
        const DataSpan data{decoder.data, decoder.available_bits()};
        const std::size_t middle = data_bytes / 2 * 8;
        std::jthread helper = start_helper(
            [&](std::stop_token stop) { decode_second_half(trie, table, data, middle, out.size(), stop, second); });
        if (helper.joinable()) {
            first.run_until(middle);
            helper.join();
            if (join_walks(decoder, first, second, walk)) return first.sum();
        }
    }

    first.run_until(decoder.available_bits());
    walk.passed(decoder.finish_slowly(decoder.bits_consumed()));
    first.take_sum();
    return first.sum();
}

// The check of the checksum counts as its own pass for Progress: after every
// 10000 bytes of output.
void report_check(std::size_t output_size, ProgressMeter& progress) {
    const double k = static_cast<double>(output_size);
    for (std::size_t i = 0; i < output_size; i += pass_progress_step) progress.report(static_cast<double>(i) / k * 11 + 89);
}

}  // namespace

std::vector<std::uint8_t> decode_stream(std::span<const std::uint8_t> stream, ProgressMeter& progress, const DecodeTuning& tuning) {
    if (stream_form(stream) == StreamForm::stored) return {stream.begin() + id_size, stream.end()};

    CompressedHeader header = read_compressed_header(stream);
    // The header has checked that the data bits can hold this many bytes.
    std::vector<std::uint8_t> out = output_buffer(header.data_length);
    std::uint8_t sum = decode_data(stream, header, out, progress, tuning);
    report_check(out.size(), progress);
    if (sum != header.checksum) decode_failed();
    progress.finish();
    return out;
}

}  // namespace qd::he3
