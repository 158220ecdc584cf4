// Large inputs are counted and coded in two halves at once. The stream and
// the Progress sequence must be exactly those of a single pass, whatever bit
// of its first byte the second half's codes begin at.
#include <gtest/gtest.h>

#include <random>

#include "he3_encoder.h"
#include "stream_builder.h"

namespace {

using qd::testing::Bytes;

struct Encoded {
    Bytes stream;
    std::vector<int> progress;
};

// Both ways on any machine, also on one core.
constexpr qd::he3::EncodeTuning one_pass{0, qd::he3::SecondCore::never};
constexpr qd::he3::EncodeTuning two_halves{0, qd::he3::SecondCore::always};

Encoded encode(const Bytes& input, const qd::he3::EncodeTuning& tuning) {
    Encoded result;
    qd::he3::ProgressHandler handler = [&](int percent) { result.progress.push_back(percent); };
    qd::he3::ProgressMeter meter(handler);
    result.stream = qd::he3::encode_stream(input, meter, tuning);
    return result;
}

Bytes skewed_bytes(std::size_t size, unsigned seed, unsigned spread) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random() % (random() % spread + 1));
    return bytes;
}

struct HalvesCase {
    const char* name;
    Bytes input;
};

TEST(TwoHalves, giveTheStreamAndProgressOfOnePass) {
    Bytes all_values(1 << 20);
    for (std::size_t i = 0; i < all_values.size(); ++i) all_values[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    const HalvesCase cases[] = {
        {"the smallest input that is split", skewed_bytes(20'000, 1, 60)},
        {"one byte more", skewed_bytes(20'001, 2, 60)},
        {"a second half of one block", skewed_bytes(29'999, 3, 60)},
        {"short codes, large", skewed_bytes(1'500'000, 4, 40)},
        {"every value, even counts (8-bit codes, the halves meet on a byte)", all_values},
        {"few values, long runs", skewed_bytes(300'000, 5, 3)},
    };
    for (const HalvesCase& c : cases) {
        SCOPED_TRACE(c.name);
        Encoded single = encode(c.input, one_pass);
        Encoded split = encode(c.input, two_halves);
        EXPECT_EQ(split.stream, single.stream);
        EXPECT_EQ(split.progress, single.progress);
    }
    // Inputs whose halves meet at every bit of a byte, many times over.
    for (unsigned seed = 10; seed < 40; ++seed) {
        Bytes input = skewed_bytes(25'000 + seed * 97, seed, 30);
        EXPECT_EQ(encode(input, two_halves).stream, encode(input, one_pass).stream) << "seed " << seed;
    }
}

}  // namespace
