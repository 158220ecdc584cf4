#pragma once
// INI files with the semantics of the desktop's private-profile services:
// section and key names match without regard to case, blanks around names and
// values are ignored, a missing file, section or key yields the caller's
// default, the caller's buffer size cuts values, and a write creates the file,
// section or key as needed while keeping everything else in the file.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qd {

// The values of one INI file as it was when read: parsed once, so a reader
// that asks for many keys (a catalogue of a thousand products) pays for one
// pass over the file instead of one per key.
class IniContents {
public:
    IniContents() = default;
    explicit IniContents(std::string_view bytes);

    // As IniFile::get_string and IniFile::get_int below.
    std::string get_string(std::string_view section, std::string_view key, std::string_view default_value,
                           std::size_t buffer_size) const;
    int get_int(std::string_view section, std::string_view key, int default_value) const;

private:
    std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

    // Lower-case section name -> lower-case key -> value; the first section
    // of a name and its first key of a name count, as the file is searched
    // from the top.
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> sections_;
};

// No INI file of the programs comes near this size (a catalogue of a thousand
// products is a few hundred kilobytes); a larger one is treated as damaged:
// it reads as empty and is not rewritten, so it is neither parsed for long
// nor lost.
inline constexpr std::size_t kLargestIniFile = std::size_t{4} << 20;

class IniFile {
public:
    explicit IniFile(std::filesystem::path file);

    const std::filesystem::path& path() const { return file_; }
    bool exists() const;

    // The whole file parsed once; empty contents when it cannot be read.
    IniContents read() const;

    // The line to log when the file is larger than kLargestIniFile, and so
    // read as empty and never rewritten; nothing otherwise.
    std::optional<std::string> too_large_notice() const;

    // The value of `key` in `section`, or `default_value` when the file, the
    // section or the key is missing; either is cut to buffer_size - 1
    // characters, as a reader with a buffer of that size would return it.
    // A value enclosed in a matching pair of single or double quotes is
    // returned without them.
    std::string get_string(std::string_view section, std::string_view key, std::string_view default_value,
                           std::size_t buffer_size) const;

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
