#pragma once
// The student's results file: for every question id 1 to 2000, whether the
// question was answered wrong the last time it was graded. It is the source of
// the "questions answered incorrectly last time" quiz.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_for_writing.h"
#include "state/quiz_state.h"

namespace qd {

using MissedFlags = std::array<std::string, kQuizSlots>;

// product number, ".", the student name as stored, ".results"; a name that
// cannot stand in a file name is mapped (student_file_name.h)
std::string results_file_name(const std::string& product_number, const std::string& student_name);

// "history.", product number, ".", the student name without blanks at either
// end, ".htm"; mapped the same way
std::string history_report_name(const std::string& product_number, const std::string& student_name);

// Resets entries 1 to 300 to "0", then reads the file's lines in order into
// entries 1 to 2000 (the first comma-separated field of each line, as a
// number; text that is not a number reads as 0). A missing file leaves the
// reset entries. A corrupt file loads as far as it has lines; an overlong
// line or a huge file never makes the reading slow or unbounded, and
// `notice` hears once that the file was read cut.
void load_results_file(MissedFlags& missed_flags, const std::filesystem::path& file, const FileNotice& notice = {});

// One line per id 1 to 2000: " value, id" with CR LF. Written whole or not at
// all, so a crash or a full disk never leaves the student's record shorter.
// Returns why the file could not be written; the old file is then kept.
std::optional<std::string> save_missed_flags(const MissedFlags& missed_flags, const std::filesystem::path& file);

// The one message a student gets when their results file or history report
// could not be written: each file with its reason, one a line.
std::string unsaved_record_message(const std::vector<std::string>& failures);

}  // namespace qd
