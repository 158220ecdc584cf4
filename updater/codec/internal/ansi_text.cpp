#include "ansi_text.h"

#include <array>
#include <cstdint>

namespace qd::he3 {

namespace {

// Bytes 128 to 159; every other byte is the character of the same number.
constexpr std::array<char32_t, 32> high_controls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t character_of(unsigned char byte) { return byte >= 128 && byte < 160 ? high_controls[byte - 128] : char32_t{byte}; }

std::optional<unsigned char> byte_of(char32_t c) {
    if (c < 128 || (c >= 160 && c < 256)) return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < high_controls.size(); ++i)
        if (high_controls[i] == c) return static_cast<unsigned char>(128 + i);
    return std::nullopt;
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next character of UTF-8 text, or none when the sequence is malformed.
std::optional<char32_t> next_character(std::string_view text, std::size_t& at) {
    auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead >= 0xF8 || at + static_cast<std::size_t>(extra) > text.size()) return std::nullopt;
    char32_t c = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        auto follow = static_cast<unsigned char>(text[at++]);
        if ((follow & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (follow & 0x3F);
    }
    constexpr std::array<char32_t, 4> smallest{0, 0x80, 0x800, 0x10000};
    if (c < smallest[static_cast<std::size_t>(extra)]) return std::nullopt;  // overlong form
    return c;
}

}  // namespace

std::string ansi_to_utf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char byte : bytes) append_utf8(text, character_of(static_cast<unsigned char>(byte)));
    return text;
}

std::optional<std::string> utf8_to_ansi(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        std::optional<char32_t> c = next_character(text, at);
        if (!c) return std::nullopt;
        std::optional<unsigned char> byte = byte_of(*c);
        if (!byte) return std::nullopt;
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

}  // namespace qd::he3
