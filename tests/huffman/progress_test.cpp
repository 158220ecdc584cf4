// The Progress sequence: the percentages of each pass, rounded, raised only
// on change, never 0, and a closing 100 except for the stored form.
#include <gtest/gtest.h>

#include "stream_builder.h"
#include "updater/codec/cls_huffman.h"

namespace {

using qd::testing::Bytes;
using qd::testing::HandStream;

struct Recorder {
    std::vector<int> raised;
    qd::clsHuffman codec;
    Recorder() {
        codec.Progress = [this](int percent) { raised.push_back(percent); };
    }
};

std::vector<int> range(int from, int to) {
    std::vector<int> values;
    for (int v = from; v <= to; ++v) values.push_back(v);
    return values;
}

// 20000 bytes: counting reaches 0.35 x 19 = 6.65 (so 1 to 7), the checksum
// pass 7 and 9.5 (raised as 10), the data pass 12 and 56, then 100.
TEST(Progress, encodingRaisesEachPassAndAClosing100) {
    Recorder recorder;
    Bytes bytes(20000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>('a' + i % 5);
    recorder.codec.EncodeByte(bytes);
    EXPECT_EQ(recorder.raised, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 10, 12, 56, 100}));
}

// 5000 equal bytes: counting gives 0, 1.4, 2.8, 4.2, 5.6; the stored form
// then ends without 100.
TEST(Progress, storedFormHasNoClosing100) {
    Recorder recorder;
    Bytes bytes(5000, 'x');
    recorder.codec.EncodeByte(bytes);
    EXPECT_EQ(recorder.raised, (std::vector<int>{1, 3, 4, 6}));
}

TEST(Progress, smallInputsRaiseOnlyTheFirstPercentOfEachPass) {
    Recorder recorder;
    Bytes bytes = qd::testing::bytes_of("abc");
    recorder.codec.EncodeByte(bytes);
    EXPECT_EQ(recorder.raised, (std::vector<int>{7, 12, 100}));
    recorder.raised.clear();
    recorder.codec.DecodeByte(bytes);
    EXPECT_EQ(recorder.raised, (std::vector<int>{89, 100}));
}

// A 30000-byte stream (16 bytes before the data) of one-bit codes, all bits
// used: the walk is past input bytes 10000 and 20000 (29.67 and 59.33 of 89),
// but stops inside byte 30000, which raises nothing. The check of 239872
// bytes then climbs from 89 to 100 in steps of 0.46.
TEST(Progress, decodingFollowsTheInputPositionsThenTheCheck) {
    HandStream stream{{{'a', "0"}, {'b', "1"}}, std::string(8 * 29984, '0'), 8 * 29984, 0};
    Bytes bytes = stream.build();
    ASSERT_EQ(bytes.size(), 30000u);
    Recorder recorder;
    recorder.codec.DecodeByte(bytes);
    std::vector<int> expected{30, 59};
    for (int v : range(89, 100)) expected.push_back(v);
    EXPECT_EQ(recorder.raised, expected);
}

TEST(Progress, storedDecodingRaisesNothing) {
    Recorder recorder;
    Bytes bytes{72, 69, 48, 13, 1, 2, 3};
    recorder.codec.DecodeByte(bytes);
    EXPECT_TRUE(recorder.raised.empty());
}

}  // namespace
