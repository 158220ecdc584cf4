// Whatever the input, decoding its stream gives it back, in the form expected.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "case_name.h"
#include "stream_builder.h"
#include "stream_header.h"
#include "updater/codec/cls_huffman.h"

namespace {

using qd::testing::Bytes;

enum class Form { stored, compressed };

struct RoundTripCase {
    const char* name;
    Bytes input;
    Form form;
    int longest_code = 0;  // checked when not 0
};

Bytes random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

// Skewed bytes, as in text: many short codes and a few long ones.
Bytes text_like(std::size_t size) {
    std::mt19937 random(7);
    std::geometric_distribution<int> rank(0.08);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(' ' + rank(random) % 200);
    return bytes;
}

// Counts 1, 1, 2, 3, 5, ... make the deepest tree: value k gets a code of
// `values - k` bits, up to values - 1.
Bytes fibonacci_counts(int values) {
    Bytes bytes;
    std::uint64_t a = 1, b = 1;
    for (int v = 0; v < values; ++v) {
        bytes.insert(bytes.end(), a, static_cast<std::uint8_t>(v));
        std::uint64_t next = a + b;
        a = b;
        b = next;
    }
    std::shuffle(bytes.begin(), bytes.end(), std::mt19937(3));
    return bytes;
}

std::vector<RoundTripCase> round_trip_cases() {
    Bytes every_value;
    for (int r = 0; r < 40; ++r)
        for (int v = 0; v < 256; ++v) every_value.push_back(static_cast<std::uint8_t>(v * 7 + r));
    return {
        {"empty", {}, Form::stored},
        {"one byte", {42}, Form::stored},
        {"one repeated value", Bytes(100000, 0), Form::stored},
        {"two values, equal counts", qd::testing::bytes_of("abababababab"), Form::compressed, 1},
        {"every value", every_value, Form::compressed, 8},
        {"random bytes", random_bytes(300001, 1), Form::compressed},
        // Past 1 MiB with short codes the encoder writes pairs of bytes at a time.
        {"over a MiB of random bytes", random_bytes((1u << 20) + 4003, 2), Form::compressed},
        {"text-like bytes", text_like(500000), Form::compressed},
        {"fibonacci counts", fibonacci_counts(31), Form::compressed, 30},
        {"short input below the fast decoder's margins", qd::testing::bytes_of("hello, world"), Form::compressed},
    };
}

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, decodesToTheInput) {
    const RoundTripCase& c = GetParam();
    qd::clsHuffman codec;
    Bytes bytes = c.input;
    codec.EncodeByte(bytes);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[2], c.form == Form::stored ? 48 : 51);
    if (c.longest_code != 0) {
        qd::he3::CompressedHeader header = qd::he3::read_compressed_header(bytes);
        int longest = 0;
        for (const auto& entry : header.entries) longest = std::max<int>(longest, entry.length);
        EXPECT_EQ(longest, c.longest_code);
    }
    codec.DecodeByte(bytes);
    EXPECT_EQ(bytes, c.input);
}

INSTANTIATE_TEST_SUITE_P(Inputs, RoundTrip, ::testing::ValuesIn(round_trip_cases()), qd::testing::CaseName());

// Bytes after the end of a stream (the data bits, or the stored data) are not
// part of it; for the stored form they are data.
TEST(RoundTrip, bytesAfterACompressedStreamAreIgnored) {
    Bytes input = text_like(5000);
    qd::clsHuffman codec;
    Bytes bytes = input;
    codec.EncodeByte(bytes);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9});
    codec.DecodeByte(bytes);
    EXPECT_EQ(bytes, input);
}

}  // namespace
