#pragma once
// INI files with the semantics of the desktop's private-profile services:
// section and key names match without regard to case, blanks around names and
// values are ignored, a missing file, section or key yields the caller's
// default, the caller's buffer size cuts values, and a write creates the file,
// section or key as needed while keeping everything else in the file.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace qd {

class IniFile {
public:
    explicit IniFile(std::filesystem::path file);

    const std::filesystem::path& path() const { return file_; }
    bool exists() const;

    // The value of `key` in `section`, or `default_value` when the file, the
    // section or the key is missing; either is cut to buffer_size - 1
    // characters, as a reader with a buffer of that size would return it.
    // A value enclosed in a matching pair of single or double quotes is
    // returned without them.
    std::string get_string(std::string_view section, std::string_view key,
                           std::string_view default_value, std::size_t buffer_size) const;

    // The value read as an integer: leading digits (with an optional sign) are
    // used, text without digits reads as 0, a missing key gives default_value.
    int get_int(std::string_view section, std::string_view key, int default_value) const;

    // Writes key = value into section, creating the file, section or key.
    // Returns false when the file cannot be written; the file is then unchanged.
    bool write_string(std::string_view section, std::string_view key, std::string_view value) const;

private:
    std::filesystem::path file_;
};

}  // namespace qd
