#pragma once
// The program's own name: the start window's title and the caption of the
// message boxes that speak for the whole program.
namespace qd {

inline constexpr const char* kProgramTitle = "NAVRA Practice Exams";

}  // namespace qd
