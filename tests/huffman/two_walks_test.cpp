// Large streams are decoded by two walks at once, the second started in the
// middle of the data bits. Whatever the second walk finds, the bytes, the
// errors and the Progress sequence must be those of a single walk.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "he3_decoder.h"
#include "stream_builder.h"
#include "updater/codec/cls_huffman.h"

namespace {

using qd::testing::Bytes;
using qd::testing::HandCode;
using qd::testing::HandStream;

// Both ways on any machine, also on one core.
constexpr qd::he3::DecodeTuning one_walk{0, qd::he3::SecondCore::never};
constexpr qd::he3::DecodeTuning two_walks{0, qd::he3::SecondCore::always};

struct Decoded {
    std::optional<Bytes> bytes;  // none on the decode error
    std::vector<int> progress;
};

Decoded decode(const Bytes& stream, const qd::he3::DecodeTuning& tuning) {
    Decoded result;
    qd::he3::ProgressHandler handler = [&](int percent) { result.progress.push_back(percent); };
    qd::he3::ProgressMeter meter(handler);
    try {
        result.bytes = qd::he3::decode_stream(stream, meter, tuning);
    } catch (const qd::CodecError&) {
    }
    return result;
}

void expect_same_walks(const Bytes& stream) {
    Decoded single = decode(stream, one_walk);
    Decoded split = decode(stream, two_walks);
    EXPECT_EQ(split.bytes.has_value(), single.bytes.has_value());
    if (single.bytes && split.bytes) {
        EXPECT_EQ(*split.bytes, *single.bytes);
    }
    EXPECT_EQ(split.progress, single.progress);
}

// Text with runs and rarer binary bytes: long and short codes, and enough of
// it that the second walk goes through its fast loop and its checkpoints.
Bytes mixed_input(std::size_t size) {
    std::mt19937 random(5);
    const std::string words[] = {"interface ", "router ", "ospf ", "area 0\n", "vlan 10\n", "  ", "255.255.255.0\n"};
    Bytes bytes;
    while (bytes.size() < size) {
        if (random() % 50 == 0) bytes.push_back(static_cast<std::uint8_t>(random()));
        else
            for (char c : words[random() % std::size(words)]) bytes.push_back(static_cast<std::uint8_t>(c));
    }
    bytes.resize(size);
    return bytes;
}

Bytes encoded(Bytes bytes) {
    qd::clsHuffman().EncodeByte(bytes);
    return bytes;
}

TEST(TwoWalks, largeStreamGivesTheSameBytesAndProgress) {
    const Bytes input = mixed_input(700'000);
    const Bytes stream = encoded(input);
    Decoded split = decode(stream, two_walks);
    ASSERT_TRUE(split.bytes.has_value());
    EXPECT_EQ(*split.bytes, input);
    expect_same_walks(stream);
}

// Damage anywhere, and in particular past the middle, fails as one walk does:
// a truncated stream (the second walk ends short), extra bytes after it (the
// second walk decodes them too but only the promised bytes count), a flipped
// data byte past the middle (the checksum).
TEST(TwoWalks, damagedLargeStreamsFailOrPassAsOneWalkDoes) {
    const Bytes stream = encoded(mixed_input(300'000));
    struct Damage {
        const char* name;
        Bytes stream;
    };
    Bytes truncated(stream.begin(), stream.end() - 1000);
    Bytes extended = stream;
    extended.insert(extended.end(), 5000, 0x5a);
    Bytes flipped = stream;
    flipped[stream.size() * 3 / 4] ^= 0x10;
    for (const Damage& damage : {Damage{"truncated", truncated}, Damage{"extended", extended}, Damage{"flipped", flipped}}) {
        SCOPED_TRACE(damage.name);
        expect_same_walks(damage.stream);
    }
    EXPECT_FALSE(decode(truncated, two_walks).bytes.has_value());
    EXPECT_TRUE(decode(extended, two_walks).bytes.has_value());
}

// With every code 7 bits long, a walk started at a bit that is not a multiple
// of 7 never meets a boundary of the true walk; the first walk must then go on
// alone. A middle that is a multiple of 7 is in step at once.
TEST(TwoWalks, walksThatNeverFallInStepStillDecode) {
    std::vector<HandCode> table;
    for (int v = 0; v < 128; ++v) {
        std::string bits;
        for (int k = 6; k >= 0; --k) bits += (v >> k) & 1 ? '1' : '0';
        table.push_back({static_cast<std::uint8_t>(v), bits});
    }
    std::mt19937 random(9);
    for (std::size_t count : {40'000u, 40'001u, 40'002u, 40'003u, 40'004u, 40'005u, 40'006u, 40'007u}) {
        Bytes values(count);
        for (auto& v : values) v = static_cast<std::uint8_t>(random() % 128);
        HandStream hand{table, qd::testing::data_bits_for(table, values), static_cast<std::uint32_t>(count),
                        qd::testing::xor_of(values)};
        const std::size_t middle = (hand.data_bits.size() + 7) / 8 / 2 * 8;
        SCOPED_TRACE("middle bit " + std::to_string(middle) + (middle % 7 == 0 ? ", in step" : ", never in step"));
        Decoded split = decode(hand.build(), two_walks);
        ASSERT_TRUE(split.bytes.has_value());
        EXPECT_EQ(*split.bytes, values);
    }
}

// A table without every path: the second walk, started anywhere, soon takes a
// path the tree lacks. Until the walks are in step that means nothing; past
// that point it is the true walk's failure.
TEST(TwoWalks, incompleteTreesDecideAsOneWalkDoes) {
    const std::vector<HandCode> table{{'a', "0"}, {'b', "10"}, {'c', "110"}};  // "111" has no value
    std::mt19937 random(3);
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        Bytes values(20'000 + random() % 20'000);
        for (auto& v : values) v = static_cast<std::uint8_t>("abc"[random() % 3]);
        HandStream hand{table, qd::testing::data_bits_for(table, values), static_cast<std::uint32_t>(values.size()),
                        qd::testing::xor_of(values)};
        if (i % 2 == 1) hand.data_bits.replace(hand.data_bits.size() * (50 + i) / 100, 3, "111");
        expect_same_walks(hand.build());
    }
}

}  // namespace
