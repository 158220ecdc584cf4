#include "platform/text_forms.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

namespace qd {

std::string blank_led_number(long long value) { return value < 0 ? std::to_string(value) : " " + std::to_string(value); }

double lenient_number(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    double sign = 1;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') sign = -1;
        ++i;
    }
    double value = 0;
    bool after_point = false;
    double scale = 0.1;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            if (after_point) {
                value += (c - '0') * scale;
                scale /= 10;
            } else {
                value = value * 10 + (c - '0');
            }
        } else if (c == '.' && !after_point) {
            after_point = true;
        } else {
            break;
        }
    }
    return sign * value;
}

std::optional<int> strict_integer(std::string_view text) {
    text = trim_blanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

long long round_half_even(double value) {
    // 2^63 is exact as a double; every double below it converts without overflow.
    constexpr double kPastLargest = 9223372036854775808.0;
    if (std::isnan(value)) return 0;
    if (value >= kPastLargest) return LLONG_MAX;
    if (value < -kPastLargest) return LLONG_MIN;
    const double rounded = std::nearbyint(value);  // default rounding mode: to nearest, ties to even
    return rounded >= kPastLargest ? LLONG_MAX : static_cast<long long>(rounded);
}

long long whole_number_in_range(std::string_view text, long long lowest, long long highest) {
    const long long value = round_half_even(lenient_number(text));
    return value < lowest ? lowest : value > highest ? highest : value;
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string to_upper_ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string to_lower_ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

}  // namespace qd
