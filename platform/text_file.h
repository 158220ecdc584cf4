#pragma once
// A whole text file as one string.
#include <filesystem>
#include <string>

namespace qd {

// The file's bytes; "" when it is missing or cannot be read.
std::string read_text_file(const std::filesystem::path& file);

}  // namespace qd
