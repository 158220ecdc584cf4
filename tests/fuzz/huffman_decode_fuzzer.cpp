// Feeds arbitrary bytes to DecodeByte. It must either fail with the decode
// error, leaving the array as it was, or agree with the plain bit-by-bit
// decoder; a successful decode must also survive a fresh encode round trip.
// The same stream split between two walks, however short, must agree too.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "he3_decoder.h"
#include "reference_decoder.h"
#include "updater/codec/cls_huffman.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> stream(data, data + size);
    const std::optional<std::vector<std::uint8_t>> expected = qd::testing::reference_decode(stream);
    qd::clsHuffman codec;
    int last_percent = 0;
    codec.Progress = [&](int percent) {
        if (percent <= 0 || percent > 100 || percent == last_percent) std::abort();
        last_percent = percent;
    };
    std::vector<std::uint8_t> bytes = stream;
    try {
        codec.DecodeByte(bytes);
    } catch (const qd::CodecError& error) {
        if (error.kind() != qd::CodecError::Kind::decode_failed || bytes != stream || expected) std::abort();
        return 0;
    }
    if (!expected || bytes != *expected) std::abort();
    try {
        qd::he3::ProgressMeter meter(codec.Progress);
        last_percent = 0;
        if (qd::he3::decode_stream(stream, meter, qd::he3::DecodeTuning{0, qd::he3::SecondCore::always}) != bytes) std::abort();
    } catch (const qd::CodecError&) {
        std::abort();
    }
    std::vector<std::uint8_t> again = bytes;
    codec.EncodeByte(again);
    codec.DecodeByte(again);
    if (again != bytes) std::abort();
    return 0;
}
