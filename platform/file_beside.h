#pragma once
// Names of the helper files the programs keep beside a file (its partial copy
// while it is written, its lock), within the file-name limit.
#include <filesystem>
#include <string_view>

namespace qd {

// The longest file name the folders take, in bytes.
inline constexpr std::size_t kLongestFileName = 255;

// `file` with `suffix` added to its name; where the two together would be
// longer than kLongestFileName, the name is cut short first (never the suffix).
std::filesystem::path beside(const std::filesystem::path& file, std::string_view suffix);

}  // namespace qd
