#pragma once
// The student's name as it stands in the names of their results file and
// history report. One rule, so that every name that could be used in a file
// name before keeps finding its files:
//   - "/" and the control characters (bytes 0 to 31 and 127), which cannot
//     stand in a file name or would put the file outside the working folder,
//     each become "_";
//   - a name that would make the whole file name longer than the file
//     system's 255 bytes is cut at the last whole character that fits.
// Everything else (blanks, dots, a leading "-", letters of any language) is
// kept as it is.
#include <string>
#include <string_view>

namespace qd {

inline constexpr std::size_t kLongestFileName = 255;

// `prefix` + the mapped name + `suffix`.
std::string student_file_name(std::string_view prefix, std::string_view student_name, std::string_view suffix);

}  // namespace qd
