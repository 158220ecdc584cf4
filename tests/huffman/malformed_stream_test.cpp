// Streams the decoder must refuse with the one decode error, leaving the
// caller's array untouched.
#include <gtest/gtest.h>

#include "case_name.h"
#include "stream_builder.h"
#include "updater/codec/cls_huffman.h"

namespace {

using qd::testing::Bytes;
using qd::testing::HandCode;
using qd::testing::HandStream;

Bytes abc_stream() { return {72, 69, 51, 13, 96, 3, 0, 0, 0, 3, 0, 97, 2, 98, 2, 99, 1, 13, 13}; }

Bytes with_byte(Bytes bytes, std::size_t at, std::uint8_t value) {
    bytes[at] = value;
    return bytes;
}

Bytes cut(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

// A real stream of some length, to cut and corrupt.
Bytes text_stream() {
    Bytes bytes;
    for (int i = 0; i < 2000; ++i) bytes.push_back(static_cast<std::uint8_t>("the quick brown fox "[i % 20]));
    qd::clsHuffman().EncodeByte(bytes);
    return bytes;
}

struct MalformedCase {
    const char* name;
    Bytes stream;
};

std::vector<MalformedCase> malformed_cases() {
    const Bytes text = text_stream();
    HandStream deep;  // codes 0, 10, 110, ...: 255 one-bit nodes deep
    for (int v = 0; v < 256; ++v) deep.table.push_back({static_cast<std::uint8_t>(v), std::string(255, '1')});
    for (int v = 0; v < 256; ++v) deep.table[v].bits[v % 255] = '0';
    deep.data_bits = "0";
    deep.length = 1;
    HandStream gap{{{'a', "00"}, {'b', "1"}}, "01", 1, 'a'};               // bits 01: no such path
    HandStream long_length{{{'a', "0"}, {'b', "1"}}, "01010101", 9, 'a'};  // 9 bytes from 8 bits
    HandStream zero_code{{{'a', ""}, {'b', "1"}}, "11", 2, 0};
    return {
        {"empty input", {}},
        {"shorter than the identification", {72, 69, 51}},
        {"unknown identification", {72, 69, 50, 13, 1, 2, 3}},
        {"identification without CR", with_byte(abc_stream(), 3, 10)},
        {"header cut short", cut(abc_stream(), 10)},
        {"table cut short", cut(abc_stream(), 15)},
        {"code bits missing", cut(abc_stream(), 17)},
        {"data missing", cut(abc_stream(), 18)},
        {"data cut short", cut(text, text.size() - 1)},
        {"checksum flipped", with_byte(abc_stream(), 4, 96 ^ 1)},
        {"checksum flipped in a long stream", with_byte(text, 4, text[4] ^ 0x80)},
        {"negative length", with_byte(abc_stream(), 8, 0x80)},
        {"no table entries", with_byte(with_byte(abc_stream(), 9, 0), 10, 0)},
        {"257 table entries", with_byte(with_byte(abc_stream(), 9, 1), 10, 1)},
        {"negative table size", with_byte(abc_stream(), 10, 0xff)},
        {"code of length 0", zero_code.build()},
        {"codes overflowing the node store", deep.build()},
        {"data on a path the tree lacks", gap.build()},
        {"length beyond what the data bits can hold", long_length.build()},
    };
}

class MalformedStream : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedStream, failsWithTheDecodeErrorAndLeavesTheArray) {
    const Bytes original = GetParam().stream;
    Bytes bytes = original;
    qd::clsHuffman codec;
    try {
        codec.DecodeByte(bytes);
        FAIL() << "decoded to " << bytes.size() << " bytes";
    } catch (const qd::CodecError& error) {
        EXPECT_EQ(error.kind(), qd::CodecError::Kind::decode_failed);
        EXPECT_STREQ(error.what(), "Error Decoding File");
    }
    EXPECT_EQ(bytes, original);
}

INSTANTIATE_TEST_SUITE_P(Streams, MalformedStream, ::testing::ValuesIn(malformed_cases()), qd::testing::CaseName());

}  // namespace
