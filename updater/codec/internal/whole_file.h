#pragma once
// Whole files as byte arrays, for the codec's file operations.
#include <cstdint>
#include <filesystem>
#include <vector>

namespace qd::he3 {

// True when the file's length can be obtained (a regular file that is there).
bool file_exists(const std::filesystem::path& file);

// Throws std::filesystem::filesystem_error when the file cannot be read.
std::vector<std::uint8_t> read_whole_file(const std::filesystem::path& file);

// Deletes the file if it exists and writes the bytes to it. A write that fails
// part way removes what it wrote and throws std::filesystem::filesystem_error.
void replace_file(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);

}  // namespace qd::he3
