#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "updater/package/package_format.h"

namespace {

using qd::PackageFormatError;
using qd::PackageRecord;
using qd::parse_package;
using qd::serialize_package;

std::string bytes_of(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) out.push_back(static_cast<char>(value));
    return out;
}

TEST(PackageFormatTest, layoutIsLengthsCountsAndLowerIndices) {
    PackageRecord record;
    record.text = "p";
    record.names = {1, {"a\\b"}};
    record.second = {0, {}};
    record.contents = {1, {"xy"}};
    std::string expected = bytes_of({1, 0}) + "p" +                                   // text
                           bytes_of({1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 3, 0}) + "a\\b" +  // names
                           bytes_of({1, 0, 0, 0, 0, 0, 0, 0, 0, 0}) +                 // second
                           bytes_of({1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 2, 0}) + "xy";     // contents
    EXPECT_EQ(serialize_package(record), expected);
}

TEST(PackageFormatTest, longStringsUseTheExtendedLength) {
    struct Case {
        std::size_t length;
        std::string length_bytes;
    };
    const std::vector<Case> cases = {
        {65534, bytes_of({0xFE, 0xFF})},
        {65535, bytes_of({0xFF, 0xFF, 0xFF, 0xFF, 0, 0})},
        {70000, bytes_of({0xFF, 0xFF, 0x70, 0x11, 1, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        PackageRecord record;
        record.text = std::string(c.length, 't');
        std::string bytes = serialize_package(record);
        EXPECT_EQ(bytes.substr(0, c.length_bytes.size()), c.length_bytes);
        EXPECT_EQ(parse_package(bytes).text, record.text);
    }
}

TEST(PackageFormatTest, roundTripKeepsEveryListAndIndex) {
    PackageRecord record;
    record.text = "quizdeck package";
    record.names = {0, {"", "q_bottom.ini", "pv_navra\\blank.htm"}};
    record.second = {5, {"x"}};
    record.contents = {0, {"", "[a]\r\n", std::string(100000, '\0') + "end"}};
    PackageRecord back = parse_package(serialize_package(record) + "trailing bytes are ignored");
    EXPECT_EQ(back.text, record.text);
    for (auto [got, want] :
         {std::pair{&back.names, &record.names}, {&back.second, &record.second}, {&back.contents, &record.contents}}) {
        EXPECT_EQ(got->lower_index, want->lower_index);
        EXPECT_EQ(got->items, want->items);
    }
}

TEST(PackageFormatTest, damagedRecordsAreRefused) {
    const std::string empty_list = bytes_of({1, 0, 0, 0, 0, 0, 1, 0, 0, 0});
    const std::string text = bytes_of({1, 0}) + "p";
    struct Case {
        std::string label;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"empty file", ""},
        {"text cut short", bytes_of({5, 0}) + "ab"},
        {"extended length cut short", bytes_of({0xFF, 0xFF, 1})},
        {"extended length past the end", bytes_of({0xFF, 0xFF, 0, 0, 1, 0}) + "abc"},
        {"lists missing", text},
        {"two-dimensional list", text + bytes_of({2, 0, 0, 0, 0, 0, 1, 0, 0, 0}) + empty_list + empty_list},
        {"negative count", text + bytes_of({1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0}) + empty_list + empty_list},
        {"count of 2^31-1", text + bytes_of({1, 0, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0, 0, 0}) + empty_list + empty_list},
        {"count past the strings present", text + bytes_of({1, 0, 3, 0, 0, 0, 1, 0, 0, 0, 1, 0}) + "a" + empty_list},
        {"indices beyond the range",
         text + bytes_of({1, 0, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}) + empty_list + empty_list},
        {"contents list missing", text + empty_list + empty_list},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_THROW(parse_package(c.bytes), PackageFormatError);
    }
}

}  // namespace
