#include "reference_decoder.h"

#include <array>

namespace qd::testing {

namespace {

struct Node {
    int child0 = -1;
    int child1 = -1;
    int value = -1;
};

int read_le(const Bytes& s, std::size_t at, int size) {
    unsigned value = 0;
    for (int i = 0; i < size; ++i) value |= unsigned{s[at + i]} << (8 * i);
    if (size == 2) return static_cast<std::int16_t>(value);
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<Bytes> reference_decode(const Bytes& s, bool check_sum) {
    if (s.size() >= 4 && s[0] == 72 && s[1] == 69 && s[2] == 48 && s[3] == 13) return Bytes(s.begin() + 4, s.end());
    if (s.size() < 11 || s[0] != 72 || s[1] != 69 || s[2] != 51 || s[3] != 13) return std::nullopt;
    int n = read_le(s, 5, 4);
    int entries = read_le(s, 9, 2);
    if (n < 0 || entries < 1 || entries > 256 || 11 + 2 * static_cast<std::size_t>(entries) > s.size()) return std::nullopt;

    std::size_t bit = 8 * (11 + 2 * static_cast<std::size_t>(entries));
    auto next_bit = [&]() -> std::optional<int> {
        if (bit >= 8 * s.size()) return std::nullopt;
        int b = (s[bit / 8] >> (bit % 8)) & 1;
        ++bit;
        return b;
    };

    std::array<Node, 512> nodes{};
    int used = 1;
    for (int e = 0; e < entries; ++e) {
        int length = s[11 + 2 * e + 1];
        if (length == 0) return std::nullopt;
        int at = 0;
        for (int k = 0; k < length; ++k) {
            std::optional<int> b = next_bit();
            if (!b) return std::nullopt;
            int& next = *b ? nodes[at].child1 : nodes[at].child0;
            if (next < 0) {
                if (used == 512) return std::nullopt;
                next = used++;
            }
            at = next;
        }
        nodes[at].value = s[11 + 2 * e];
    }
    bit = (bit + 7) / 8 * 8;

    Bytes out;
    while (out.size() < static_cast<std::size_t>(n)) {
        int at = 0;
        do {
            std::optional<int> b = next_bit();
            if (!b) return std::nullopt;
            at = *b ? nodes[at].child1 : nodes[at].child0;
            if (at < 0) return std::nullopt;
        } while (nodes[at].value < 0);
        out.push_back(static_cast<std::uint8_t>(nodes[at].value));
    }
    if (check_sum && xor_of(out) != s[4]) return std::nullopt;
    return out;
}

}  // namespace qd::testing
