#pragma once
// SHA-256 digests as 64 lower-case hexadecimal digits.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qd {

std::string sha256_text(std::string_view bytes);

// The digest of the file's bytes, or nothing when it cannot be read.
std::optional<std::string> sha256_text_of_file(const std::filesystem::path& file);

// True for 64 hexadecimal digits in either letter case.
bool is_sha256_text(std::string_view text);

}  // namespace qd
