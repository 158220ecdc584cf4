#pragma once
// Conversion between the program's UTF-8 text and the single-byte Windows-1252
// code page that the codec's string operations work in. Every one of the 256
// bytes has a character (the five unassigned ones stand for the control
// characters of the same number), so bytes -> text -> bytes is lossless.
#include <optional>
#include <string>
#include <string_view>

namespace qd::he3 {

std::string ansi_to_utf8(std::string_view bytes);

// No value when the text is not valid UTF-8 or holds a character that the
// code page does not have.
std::optional<std::string> utf8_to_ansi(std::string_view text);

}  // namespace qd::he3
