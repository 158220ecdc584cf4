// Streams whose tables the encoder would never write but the decoder must
// still take as the format defines them: codes up to 255 bits, codes that are
// not prefix-free, a value given twice. The data is long enough to run
// through the fast decoder, not just its bit-by-bit tail.
#include <gtest/gtest.h>

#include <random>

#include "case_name.h"
#include "reference_decoder.h"
#include "stream_builder.h"
#include "updater/codec/cls_huffman.h"

namespace {

using qd::testing::Bytes;
using qd::testing::HandCode;
using qd::testing::HandStream;

Bytes decode(const Bytes& stream) {
    Bytes bytes = stream;
    qd::clsHuffman().DecodeByte(bytes);
    return bytes;
}

// Value v < 255 has v ones then a zero; 255 has 255 ones. The deepest tree
// that fits the 512-node store.
std::vector<HandCode> deepest_table() {
    std::vector<HandCode> table;
    for (int v = 0; v < 256; ++v)
        table.push_back({static_cast<std::uint8_t>(v), v < 255 ? std::string(v, '1') + "0" : std::string(255, '1')});
    return table;
}

struct HandCase {
    const char* name;
    std::vector<HandCode> table;
    std::string data_bits;
    Bytes expected;
};

std::vector<HandCase> hand_cases() {
    std::vector<HandCase> cases;

    Bytes deep_values;
    std::mt19937 random(11);
    for (int i = 0; i < 3000; ++i)
        deep_values.push_back(static_cast<std::uint8_t>(i % 7 == 0 ? 250 + random() % 6 : random() % 20));
    std::vector<HandCode> deep = deepest_table();
    cases.push_back({"codes up to 255 bits", deep, qd::testing::data_bits_for(deep, deep_values), deep_values});

    // "0" ends every walk that starts with 0, so "01" is never reached.
    std::vector<HandCode> shadowed{{'a', "0"}, {'b', "01"}, {'c', "1"}};
    std::string bits;
    Bytes expected;
    for (int i = 0; i < 2000; ++i) {
        bits += i % 3 ? "01" : "1";
        if (i % 3) expected.push_back('a');
        expected.push_back('c');
    }
    cases.push_back({"a code that is a prefix of another", shadowed, bits, expected});

    // The same path twice: the later table entry wins.
    std::vector<HandCode> twice{{'a', "0"}, {'b', "0"}, {'c', "1"}};
    cases.push_back({"one code given for two values", twice, std::string(800, '0') + std::string(800, '1'), [] {
                         Bytes e(800, 'b');
                         e.insert(e.end(), 800, 'c');
                         return e;
                     }()});

    // One value under two codes.
    std::vector<HandCode> value_twice{{'a', "00"}, {'a', "01"}, {'b', "1"}};
    cases.push_back({"one value given twice", value_twice, std::string(600, '0') + std::string(600, '1') + "01", [] {
                         Bytes e(300, 'a');
                         e.insert(e.end(), 600, 'b');
                         e.push_back('a');
                         return e;
                     }()});
    return cases;
}

class HandBuiltStream : public ::testing::TestWithParam<HandCase> {};

TEST_P(HandBuiltStream, decodesAsTheTreeWalkDefines) {
    const HandCase& c = GetParam();
    HandStream stream{c.table, c.data_bits, static_cast<std::uint32_t>(c.expected.size()), qd::testing::xor_of(c.expected)};
    EXPECT_EQ(decode(stream.build()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Tables, HandBuiltStream, ::testing::ValuesIn(hand_cases()), qd::testing::CaseName());

// Decoding stops after the promised length; the remaining bits are not looked
// at, even where they lead nowhere.
TEST(HandBuiltStream, bitsAfterTheLastByteAreIgnored) {
    HandStream stream{{{'a', "00"}, {'b', "11"}}, "0011" + std::string(8, '1') + "0101", 2, 'a' ^ 'b'};
    EXPECT_EQ(decode(stream.build()), qd::testing::bytes_of("ab"));
}

// A compressed stream with length 0 decodes to no bytes when its checksum is
// the XOR of no bytes, 0; its table must still be sound.
TEST(HandBuiltStream, lengthZeroGivesNoBytes) {
    HandStream stream{{{'a', "0"}, {'b', "1"}}, "", 0, 0};
    EXPECT_EQ(decode(stream.build()), Bytes{});
    stream.checksum = 1;
    Bytes bad = stream.build();
    EXPECT_THROW(decode(bad), qd::CodecError);
}

// The stored identification alone (the stream of an empty input) holds no bytes.
TEST(HandBuiltStream, storedFormWithoutDataGivesNoBytes) { EXPECT_EQ(decode({72, 69, 48, 13}), Bytes{}); }

}  // namespace
