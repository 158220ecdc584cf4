#pragma once
// Reading files the programs are handed (content, exchange and settings
// files): only plain files are read, opened without waiting, so a FIFO or a
// device in a file's place reads as a missing file instead of holding the
// program, and no more than a bound is read, so a huge file cannot either.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace qd {

struct BoundedText {
    std::string bytes;
    bool cut = false;  // the file holds more than the bound; `bytes` is its beginning
};

// At most `most_bytes` of the file; nothing when it is missing, is not a
// plain file or cannot be read.
std::optional<BoundedText> read_regular_file(const std::filesystem::path& file, std::size_t most_bytes);

// The file's bytes, at most `most_bytes` of them; "" when it is missing, is
// not a plain file or cannot be read.
std::string read_text_file(const std::filesystem::path& file, std::size_t most_bytes = std::size_t{16} << 20);

}  // namespace qd
