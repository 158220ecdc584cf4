#include "gridlab/address_forms.h"

#include <cctype>

namespace qd::gridlab {

std::optional<long> parse_decimal(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<std::uint32_t> parse_ipv4(std::string_view text) {
    std::uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        const auto dot = text.find('.');
        const bool last = part == 3;
        if (last != (dot == std::string_view::npos)) return std::nullopt;
        const auto piece = text.substr(0, dot);
        const auto value = parse_decimal(piece);
        if (!value || piece.size() > 3 || *value > 255) return std::nullopt;
        address = (address << 8) | static_cast<std::uint32_t>(*value);
        if (!last) text.remove_prefix(dot + 1);
    }
    return address;
}

std::string format_ipv4(std::uint32_t address) {
    return std::to_string(address >> 24) + '.' + std::to_string((address >> 16) & 255) + '.' +
           std::to_string((address >> 8) & 255) + '.' + std::to_string(address & 255);
}

bool is_contiguous_mask(std::uint32_t mask) {
    const std::uint32_t inverted = ~mask;
    return (inverted & (inverted + 1)) == 0;
}

int prefix_length(std::uint32_t mask) {
    int length = 0;
    while (length < 32 && (mask & (0x80000000u >> length))) ++length;
    return length;
}

std::uint32_t classful_network(std::uint32_t address) {
    const std::uint32_t first = address >> 24;
    if (first < 128) return address & 0xFF000000u;
    if (first < 192) return address & 0xFFFF0000u;
    return address & 0xFFFFFF00u;
}

bool is_ipv6_address(std::string_view text) {
    if (text.size() < 2 || text.size() > 39) return false;
    const auto gap = text.find("::");
    if (gap != std::string_view::npos && text.find("::", gap + 1) != std::string_view::npos) return false;
    int groups = 0;
    std::size_t digits = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ':') {
            if (digits > 0) ++groups;
            const bool inside_gap = gap != std::string_view::npos && (i == gap || i == gap + 1 || (i == 0 && gap == 0));
            if (digits == 0 && !inside_gap && !(i == text.size() && gap + 2 == text.size())) return false;
            digits = 0;
            continue;
        }
        if (!std::isxdigit(static_cast<unsigned char>(text[i])) || ++digits > 4) return false;
    }
    return gap == std::string_view::npos ? groups == 8 : groups < 8;
}

bool is_ipv6_prefix(std::string_view text) {
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) return false;
    const auto length = parse_decimal(text.substr(slash + 1));
    return length && *length <= 128 && text.size() - slash - 1 <= 3 && is_ipv6_address(text.substr(0, slash));
}

}  // namespace qd::gridlab
