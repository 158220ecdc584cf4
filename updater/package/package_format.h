#pragma once
// The package file layout. All integers are little-endian.
//
//   package  = string text, list names, list second, list contents
//   list     = u16 dimensions (always 1), i32 count, i32 lower index, count strings
//   string   = u16 length, then that many bytes;
//              a length of 65535 or more is written as the u16 65535 followed
//              by a u32 length (so a string of exactly 65535 bytes takes the
//              long form too)
//
// Bytes after the record are ignored.
#include <stdexcept>
#include <string>
#include <string_view>

#include "updater/package/package_record.h"

namespace qd {

class PackageFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws PackageFormatError when a field is missing, a count or length runs
// past the end of the bytes, or a list is not one-dimensional.
PackageRecord parse_package(std::string_view bytes);

// Throws PackageFormatError for a string or list too long for the layout.
std::string serialize_package(const PackageRecord& record);

}  // namespace qd
