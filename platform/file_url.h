#pragma once
// A "file:" address for a local path, with every byte that a URL would read
// as something else ("#", "?", "%", blanks, letters beyond ASCII) written as
// "%XX", so a folder named "C# notes" or "100% sure" still names its files.
// The form is the one QUrl::fromLocalFile gives, for code without Qt.
#include <string>
#include <string_view>

namespace qd {

// `path` is absolute; the address is "file://" followed by the encoded path.
std::string file_url(std::string_view path);

}  // namespace qd
