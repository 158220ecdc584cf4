#include "updater/catalogue/catalogue_version.h"

#include <charconv>
#include <cmath>

#include "platform/text_forms.h"

namespace qd {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Length of the number form at the start of `text`, or 0 when there is none.
std::size_t number_form_length(std::string_view text) {
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < text.size() && is_digit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && is_digit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t exponent_start = j;
        while (j < text.size() && is_digit(text[j])) ++j;
        if (j == exponent_start) return 0;
        i = j;
    }
    return i;
}

}  // namespace

std::optional<float> parse_catalogue_version(std::string_view text) {
    text = trim_blanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || number_form_length(text) != text.size()) return std::nullopt;
    float value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::string catalogue_version_text(float version) {
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, version);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

}  // namespace qd
