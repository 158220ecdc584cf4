#pragma once
// The product names its programs "x.exe"; on this platform the file is "x".
#include <string>
#include <string_view>

namespace qd {

// "updates.exe" -> "updates", "u2.exe" -> "u2" (the ending in any letter case);
// a name without the ending stays as it is.
std::string program_file_name(std::string_view windows_name);

}  // namespace qd
