// The fast decoder against the plain bit-by-bit one on random tables (often
// incomplete, not prefix-free or deep) and random data of every size around
// the fast loop's margins: both succeed with the same bytes or both fail.
// Each stream is also decoded with the data split between two walks, however
// short, so that the joining of the walks meets every kind of table.
#include <gtest/gtest.h>

#include <random>

#include "he3_decoder.h"
#include "reference_decoder.h"
#include "stream_builder.h"
#include "updater/codec/cls_huffman.h"

namespace {

using qd::testing::Bytes;
using qd::testing::HandCode;
using qd::testing::HandStream;

HandStream random_stream(std::mt19937& random) {
    HandStream stream;
    int entries = 1 + static_cast<int>(random() % 24);
    int max_length = 1 + static_cast<int>(random() % (random() % 4 == 0 ? 40 : 14));
    for (int e = 0; e < entries; ++e) {
        int length = 1 + static_cast<int>(random() % static_cast<unsigned>(max_length));
        std::string bits;
        for (int k = 0; k < length; ++k) bits += random() % 2 ? '1' : '0';
        stream.table.push_back({static_cast<std::uint8_t>(random()), bits});
    }
    std::size_t data_bits = random() % 6000;
    for (std::size_t i = 0; i < data_bits; ++i) stream.data_bits += random() % 2 ? '1' : '0';
    stream.length = static_cast<std::uint32_t>(random() % (data_bits / 2 + 2));
    return stream;
}

// Complete trees: every path leads to a value, so the data always decodes.
HandStream random_complete_stream(std::mt19937& random) {
    HandStream stream;
    std::vector<std::string> leaves{""};
    int values = 2 + static_cast<int>(random() % 60);
    while (static_cast<int>(leaves.size()) < values) {
        std::size_t split = random() % leaves.size();
        std::string leaf = leaves[split];
        leaves[split] = leaf + "0";
        leaves.push_back(leaf + "1");
    }
    for (std::size_t v = 0; v < leaves.size(); ++v) stream.table.push_back({static_cast<std::uint8_t>(v), leaves[v]});
    Bytes data(random() % 3000);
    for (auto& b : data) b = static_cast<std::uint8_t>(random() % leaves.size());
    stream.data_bits = qd::testing::data_bits_for(stream.table, data);
    stream.length = static_cast<std::uint32_t>(data.size());
    stream.checksum = qd::testing::xor_of(data);
    return stream;
}

std::optional<Bytes> decode(const Bytes& stream, const qd::he3::DecodeTuning& tuning) {
    qd::he3::ProgressHandler no_handler;
    qd::he3::ProgressMeter progress(no_handler);
    try {
        return qd::he3::decode_stream(stream, progress, tuning);
    } catch (const qd::CodecError&) {
        return std::nullopt;
    }
}

void expect_same_as_reference(const Bytes& stream) {
    std::optional<Bytes> expected = qd::testing::reference_decode(stream);
    using qd::he3::SecondCore;
    for (SecondCore second_core : {SecondCore::never, SecondCore::always}) {
        SCOPED_TRACE(second_core == SecondCore::always ? "two walks" : "one walk");
        std::optional<Bytes> decoded = decode(stream, {0, second_core});
        ASSERT_EQ(decoded.has_value(), expected.has_value());
        if (expected) {
            EXPECT_EQ(*decoded, *expected);
        }
    }
}

TEST(DecodeAgainstReference, randomTablesAndData) {
    std::mt19937 random(2024);
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        HandStream stream = random_stream(random);
        // Mostly with the right checksum, so that the data walk is what decides.
        if (auto decoded = qd::testing::reference_decode(stream.build(), false); decoded && random() % 8 != 0)
            stream.checksum = qd::testing::xor_of(*decoded);
        expect_same_as_reference(stream.build());
    }
}

TEST(DecodeAgainstReference, randomCompleteTrees) {
    std::mt19937 random(77);
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        Bytes stream = random_complete_stream(random).build();
        ASSERT_TRUE(qd::testing::reference_decode(stream).has_value());
        expect_same_as_reference(stream);
    }
}

}  // namespace
