#pragma once
// Number and text forms shared by every subsystem.
#include <optional>
#include <string>
#include <string_view>

namespace qd {

// " 5", " 0", "-3": decimal with one leading blank unless negative.
std::string blank_led_number(long long value);

// Lenient numeric parse: leading blanks, an optional sign, digits and at most
// one decimal point; reading stops at the first other character, and text
// without a leading number reads as 0.
double lenient_number(std::string_view text);

// Strict integer conversion: blanks around an optional sign and digits; any
// other text, or a value outside the int range, gives no value.
std::optional<int> strict_integer(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour. A value
// beyond the range of long long gives that range's end; not-a-number gives 0.
long long round_half_even(double value);

// The lenient numeric value of `text`, rounded as above and held to
// [lowest, highest]: a number typed into a hand-edited file cannot leave the
// range of the field it is read into.
long long whole_number_in_range(std::string_view text, long long lowest, long long highest);

// Blanks (spaces and tabs) removed from both ends.
std::string_view trim_blanks(std::string_view text);

// ASCII upper and lower case.
std::string to_upper_ascii(std::string_view text);
std::string to_lower_ascii(std::string_view text);
bool equals_ignoring_case(std::string_view a, std::string_view b);

}  // namespace qd
