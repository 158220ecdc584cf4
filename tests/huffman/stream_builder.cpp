#include "stream_builder.h"

#include <algorithm>
#include <stdexcept>

namespace qd::testing {

Bytes bytes_of(std::string_view text) { return {text.begin(), text.end()}; }

std::uint8_t xor_of(const Bytes& bytes) {
    std::uint8_t sum = 0;
    for (std::uint8_t b : bytes) sum ^= b;
    return sum;
}

Bytes pack_bits(std::string_view bits) {
    Bytes packed((bits.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i] == '1') packed[i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
    return packed;
}

std::string data_bits_for(const std::vector<HandCode>& table, const Bytes& values) {
    std::string bits;
    for (std::uint8_t v : values) {
        auto code = std::find_if(table.begin(), table.end(), [v](const HandCode& c) { return c.value == v; });
        if (code == table.end()) throw std::invalid_argument("value without a code");
        bits += code->bits;
    }
    return bits;
}

Bytes HandStream::build() const {
    Bytes stream = {72, 69, 51, 13, checksum};
    for (int i = 0; i < 4; ++i) stream.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
    stream.push_back(static_cast<std::uint8_t>(table.size()));
    stream.push_back(static_cast<std::uint8_t>(table.size() >> 8));
    std::string code_bits;
    for (const HandCode& code : table) {
        stream.push_back(code.value);
        stream.push_back(static_cast<std::uint8_t>(code.bits.size()));
        code_bits += code.bits;
    }
    Bytes codes = pack_bits(code_bits);
    Bytes data = pack_bits(data_bits);
    stream.insert(stream.end(), codes.begin(), codes.end());
    stream.insert(stream.end(), data.begin(), data.end());
    return stream;
}

}  // namespace qd::testing
