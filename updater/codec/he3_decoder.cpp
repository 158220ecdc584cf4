#include "he3_decoder.h"

#include <algorithm>
#include <cstring>

#include "codec_error.h"
#include "decode_table.h"
#include "decode_trie.h"
#include "output_buffer.h"
#include "stream_header.h"
#include "xor_checksum.h"

namespace qd::he3 {

namespace {

[[noreturn]] void fail() { throw CodecError(CodecError::Kind::decode_failed); }

// The fast loop keeps this far from either end, so it may refill the bit
// buffer eight bytes at a time (a long code takes at most 32 bytes) and write
// a whole group of lookups (4 x 3 bytes, stored 4 at a time) unchecked.
constexpr std::ptrdiff_t input_margin = 64;
constexpr std::ptrdiff_t output_margin = 16;

struct DataDecoder {
    const DecodeTrie& trie;
    const DecodeTable& table;
    const std::uint8_t* data;          // first byte of the data bits
    const std::uint8_t* in_end;
    std::uint8_t* out;
    std::uint8_t* out_end;

    const std::uint8_t* in = data;
    std::uint64_t buffer = 0;  // the next bits, the next one at bit 0
    unsigned buffered = 0;

    // At least 56 bits in the buffer; reads 8 bytes at in.
    void refill() {
        std::uint64_t word;
        std::memcpy(&word, in, sizeof word);
        buffer |= word << buffered;
        in += (63 - buffered) >> 3;
        buffered |= 56;
    }

    void consume(unsigned bits) {
        buffer >>= bits;
        buffered -= bits;
    }

    std::size_t bits_consumed() const { return static_cast<std::size_t>(in - data) * 8 - buffered; }

    // A code longer than the table, or a path the tree lacks.
    void finish_long_code(std::uint32_t entry) {
        if ((entry & long_code_flag) == 0) fail();
        int at = static_cast<int>(entry_bytes(entry) & 0xffff);
        consume(lookup_bits);
        while (true) {
            if (buffered == 0) refill();
            at = trie.node(at).child[buffer & 1];
            consume(1);
            if (at < 0) fail();
            if (trie.node(at).value >= 0) break;
        }
        *out++ = static_cast<std::uint8_t>(trie.node(at).value);
    }

    // Decodes until in reaches stop (true) or a margin no longer holds (false).
    bool fast_stretch(const std::uint8_t* stop) {
        while (true) {
            if (in_end - in < input_margin || out_end - out < output_margin) return false;
            if (in >= stop) return true;
            refill();
#pragma GCC unroll 4
            for (int round = 0; round < 56 / lookup_bits; ++round) {  // 56 bits are buffered
                std::uint32_t entry = table[buffer & ((1u << lookup_bits) - 1)];
                if (entry_byte_count(entry) == 0) [[unlikely]] {
                    finish_long_code(entry);
                    break;
                }
                std::uint32_t bytes = entry_bytes(entry);
                std::memcpy(out, &bytes, 4);  // the bytes past the count are overwritten later or unused
                out += entry_byte_count(entry);
                consume(entry_bit_count(entry));
            }
        }
    }

    // The rest, bit by bit through the tree; returns the bits consumed.
    std::size_t finish_slowly(std::size_t bit) {
        const std::size_t available = static_cast<std::size_t>(in_end - data) * 8;
        while (out < out_end) {
            int at = DecodeTrie::root;
            do {
                if (bit >= available) fail();
                at = trie.node(at).child[(data[bit / 8] >> (bit % 8)) & 1];
                ++bit;
                if (at < 0) fail();
            } while (trie.node(at).value < 0);
            *out++ = static_cast<std::uint8_t>(trie.node(at).value);
        }
        return bit;
    }
};

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

// Decodes all data bits into out and returns the XOR of the bytes written,
// taken after each stretch while those bytes are still in the cache.
std::uint8_t decode_data(std::span<const std::uint8_t> stream, const CompressedHeader& header,
                         std::vector<std::uint8_t>& out, ProgressMeter& progress) {
    DecodeTrie trie;
    for (const TableEntry& entry : header.entries)
        if (!trie.insert_code_path(entry.bits, entry.length, entry.value)) fail();
    DecodeTable table;
    build_decode_table(trie, table);

    DataDecoder decoder{trie, table, stream.data() + header.data_offset, stream.data() + stream.size(), out.data(),
                        out.data() + out.size()};
    WalkProgress walk(progress, stream.size(), header.data_offset);
    std::uint8_t sum = 0;
    std::uint8_t* summed = out.data();
    while (true) {
        // 8 bytes past the due position the walk has surely gone beyond it.
        std::size_t stop = std::min(walk.next_position() + 8, stream.size());
        bool reached = decoder.fast_stretch(stream.data() + stop);
        sum ^= xor_bytes(summed, static_cast<std::size_t>(decoder.out - summed));
        summed = decoder.out;
        if (!reached) break;
        walk.passed(decoder.bits_consumed());
    }
    walk.passed(decoder.finish_slowly(decoder.bits_consumed()));
    return sum ^ xor_bytes(summed, static_cast<std::size_t>(decoder.out - summed));
}

// The check of the checksum counts as its own pass for Progress: after every
// 10000 bytes of output.
void report_check(std::size_t output_size, ProgressMeter& progress) {
    const double k = static_cast<double>(output_size);
    for (std::size_t i = 0; i < output_size; i += pass_progress_step)
        progress.report(static_cast<double>(i) / k * 11 + 89);
}

}  // namespace

std::vector<std::uint8_t> decode_stream(std::span<const std::uint8_t> stream, ProgressMeter& progress) {
    if (stream_form(stream) == StreamForm::stored) return {stream.begin() + id_size, stream.end()};

    CompressedHeader header = read_compressed_header(stream);
    // The header has checked that the data bits can hold this many bytes.
    std::vector<std::uint8_t> out = output_buffer(header.data_length);
    std::uint8_t sum = decode_data(stream, header, out, progress);
    report_check(out.size(), progress);
    if (sum != header.checksum) fail();
    progress.finish();
    return out;
}

}  // namespace qd::he3
