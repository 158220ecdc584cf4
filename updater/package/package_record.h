#pragma once
// A package in memory: a text, the file names, a second list that nothing
// uses, and the file contents. Lists keep the lower index they were written
// with; file i has name names.at(i) and content contents.at(i).
#include <cstdint>
#include <string>
#include <vector>

namespace qd {

struct StringList {
    std::int32_t lower_index = 1;
    std::vector<std::string> items;

    std::int64_t upper_index() const { return std::int64_t{lower_index} + static_cast<std::int64_t>(items.size()) - 1; }
    bool holds(std::int64_t index) const { return index >= lower_index && index <= upper_index(); }
    const std::string& at(std::int64_t index) const { return items[static_cast<std::size_t>(index - lower_index)]; }
};

struct PackageRecord {
    std::string text;
    StringList names;   // relative to the target folder; folder parts separated by "\"
    StringList second;  // carried for the format's sake, never used
    StringList contents;
};

}  // namespace qd
