#pragma once
// The walk over the data bits of a compressed stream: a fast table-driven
// loop for the bulk, and a bit-by-bit walk through the code tree for the ends
// and for finding symbol boundaries one code at a time.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "decode_table.h"
#include "decode_trie.h"
#include "updater/codec/codec_error.h"

namespace qd::he3 {

[[noreturn]] inline void decode_failed() { throw CodecError(CodecError::Kind::decode_failed); }

// The fast loop keeps this far from either end, so it may refill the bit
// buffer eight bytes at a time (a long code takes at most 32 bytes) and write
// a whole group of lookups (4 x 3 bytes, stored 4 at a time) unchecked.
inline constexpr std::ptrdiff_t input_margin = 64;
inline constexpr std::ptrdiff_t output_margin = 16;

// One code through the tree from data bit `bit`, which moves past it; -1 when
// the bits run out or the tree has no such path.
inline int walk_one_code(const DecodeTrie& trie, const std::uint8_t* data, std::size_t available_bits, std::size_t& bit) {
    int at = DecodeTrie::root;
    do {
        if (bit >= available_bits) return -1;
        at = trie.node(at).child[(data[bit / 8] >> (bit % 8)) & 1];
        ++bit;
        if (at < 0) return -1;
    } while (trie.node(at).value < 0);
    return trie.node(at).value;
}

struct DataDecoder {
    const DecodeTrie& trie;
    const DecodeTable& table;
    const std::uint8_t* data;  // first byte of the data bits
    const std::uint8_t* in_end;
    std::uint8_t* out;
    std::uint8_t* out_end;

    const std::uint8_t* in = data;
    std::uint64_t buffer = 0;  // the next bits, the next one at bit 0
    unsigned buffered = 0;

    std::size_t available_bits() const { return static_cast<std::size_t>(in_end - data) * 8; }
    std::size_t bits_consumed() const { return static_cast<std::size_t>(in - data) * 8 - buffered; }

    // Goes on from data bit `bit` with an empty bit buffer but for the rest of its byte.
    void seek(std::size_t bit) {
        in = data + bit / 8;
        buffer = 0;
        buffered = 0;
        if (bit % 8 != 0) {
            buffer = static_cast<std::uint64_t>(*in++) >> (bit % 8);
            buffered = 8 - static_cast<unsigned>(bit % 8);
        }
    }

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

    // A code longer than the table, or a path the tree lacks.
    void finish_long_code(std::uint32_t entry) {
        if ((entry & long_code_flag) == 0) decode_failed();
        int at = static_cast<int>(entry_bytes(entry) & 0xffff);
        consume(lookup_bits);
        while (true) {
            if (buffered == 0) refill();
            at = trie.node(at).child[buffer & 1];
            consume(1);
            if (at < 0) decode_failed();
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

    // The rest up to out_end, one code at a time; returns the bits consumed.
    std::size_t finish_slowly(std::size_t bit) {
        while (out < out_end) {
            int value = walk_one_code(trie, data, available_bits(), bit);
            if (value < 0) decode_failed();
            *out++ = static_cast<std::uint8_t>(value);
        }
        return bit;
    }
};

}  // namespace qd::he3
