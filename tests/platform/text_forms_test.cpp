#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "platform/text_forms.h"

namespace qd {
namespace {

TEST(TextForms, blankLedNumber) {
    EXPECT_EQ(blank_led_number(5), " 5");
    EXPECT_EQ(blank_led_number(0), " 0");
    EXPECT_EQ(blank_led_number(-3), "-3");
}

TEST(TextForms, lenientNumberReadsTheLeadingNumberOnly) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c :
         std::initializer_list<Case>{{" 1", 1}, {"75", 75}, {"  -2.5x", -2.5}, {"1.2.3", 1.2}, {"abc", 0}, {"", 0}, {"+4", 4}}) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(lenient_number(c.text), c.value);
    }
}

TEST(TextForms, strictIntegerRejectsAnythingButAWholeNumber) {
    EXPECT_EQ(strict_integer(" 12 "), 12);
    EXPECT_EQ(strict_integer("-1"), -1);
    for (const char* bad : {"", " ", "1.5", "12a", "a", "99999999999"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(strict_integer(bad).has_value());
    }
}

TEST(TextForms, roundingSendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(round_half_even(0.5), 0);
    EXPECT_EQ(round_half_even(1.5), 2);
    EXPECT_EQ(round_half_even(2.5), 2);
    EXPECT_EQ(round_half_even(2.6), 3);
    EXPECT_EQ(round_half_even(-1.5), -2);
}

TEST(TextForms, numbersFromHandEditedFilesStayInTheirRange) {
    const std::string digits_400(400, '9');
    struct Case {
        std::string text;
        long long lowest, highest, value;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"7", 0, 10, 7},
             {" 2.5", 0, 10, 2},
             {digits_400, 0, 2147483647, 2147483647},
             {"-" + digits_400, 0, 2147483647, 0},
             {"2147483647", 1, 32767, 32767},
             {"9223372036854775807", LLONG_MIN, LLONG_MAX, LLONG_MAX},
             {"-9223372036854775809", LLONG_MIN, LLONG_MAX, LLONG_MIN},
             {"abc", 1, 32767, 1},
         }) {
        SCOPED_TRACE(c.text.substr(0, 30));
        EXPECT_EQ(whole_number_in_range(c.text, c.lowest, c.highest), c.value);
    }
    EXPECT_EQ(round_half_even(1e300), LLONG_MAX);
    EXPECT_EQ(round_half_even(-1e300), LLONG_MIN);
    EXPECT_EQ(round_half_even(std::numeric_limits<double>::infinity()), LLONG_MAX);
    EXPECT_EQ(round_half_even(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace qd
