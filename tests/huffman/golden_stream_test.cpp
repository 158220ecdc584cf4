// Exact stream bytes for small inputs whose trees can be worked out by hand:
// they pin the merge rule (strict comparisons, which candidate is replaced),
// the depth-first code order and the bit packing.
#include <gtest/gtest.h>

#include "case_name.h"
#include "stream_builder.h"
#include "updater/codec/cls_huffman.h"

namespace {

using qd::testing::Bytes;
using qd::testing::bytes_of;

struct GoldenCase {
    const char* name;
    Bytes input;
    Bytes stream;
};

std::vector<GoldenCase> golden_cases() {
    return {
        // Empty input: the stored identification alone.
        {"empty", {}, {72, 69, 48, 13}},
        // a and b merge first (a on bit 0), then c with that node: c=0 a=10 b=11.
        // The compressed form wins although it is longer than the input.
        {"abc", bytes_of("abc"), {72, 69, 51, 13, 96, 3, 0, 0, 0, 3, 0, 97, 2, 98, 2, 99, 1, 13, 13}},
        // a=2 b=3 c=1: c is below both candidates and wA < wB, so c replaces B.
        // Tree: b=0, a=10, c=11.
        {"smaller replaces B", bytes_of("abcabb"), {72, 69, 51, 13, 1, 6, 0, 0, 0, 3, 0, 97, 2, 98, 1, 99, 2, 25, 57, 0}},
        // a=2 b=2 c=1: equal candidates, so c replaces A. Tree: a=0, c=10, b=11.
        {"equal candidates, A replaced", bytes_of("aabbc"), {72, 69, 51, 13, 99, 5, 0, 0, 0, 3, 0, 97, 1, 98, 2, 99, 2, 14, 124}},
        // Two values with equal counts: the lower value is created first and
        // goes on bit 0.
        {"tie of two values", bytes_of("baab"), {72, 69, 51, 13, 0, 4, 0, 0, 0, 2, 0, 97, 1, 98, 1, 2, 9}},
    };
}

class GoldenStream : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenStream, encodesToTheExactBytesAndBack) {
    const GoldenCase& c = GetParam();
    qd::clsHuffman codec;
    Bytes bytes = c.input;
    codec.EncodeByte(bytes);
    EXPECT_EQ(bytes, c.stream);
    codec.DecodeByte(bytes);
    EXPECT_EQ(bytes, c.input);
}

INSTANTIATE_TEST_SUITE_P(Streams, GoldenStream, ::testing::ValuesIn(golden_cases()), qd::testing::CaseName());

TEST(GoldenStream, oneRepeatedValueIsStoredSinceItsOnlyCodeIsEmpty) {
    qd::clsHuffman codec;
    Bytes bytes(5000, 65);
    codec.EncodeByte(bytes);
    ASSERT_EQ(bytes.size(), 5004u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{72, 69, 48, 13}));
    EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.end()), Bytes(5000, 65));
}

// All 256 values once: every code is 8 bits, so the data bytes equal the input
// length exactly, and that is still the compressed form.
TEST(GoldenStream, dataExactlyAsLongAsTheInputIsStillCompressed) {
    Bytes input(256);
    for (int v = 0; v < 256; ++v) input[v] = static_cast<std::uint8_t>(v);
    qd::clsHuffman codec;
    Bytes bytes = input;
    codec.EncodeByte(bytes);
    ASSERT_EQ(bytes.size(), 11u + 512 + 256 + 256);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{72, 69, 51, 13}));
    for (int v = 0; v < 256; ++v) EXPECT_EQ(bytes[11 + 2 * v + 1], 8) << "value " << v;
    codec.DecodeByte(bytes);
    EXPECT_EQ(bytes, input);
}

}  // namespace
