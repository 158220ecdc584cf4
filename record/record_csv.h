#pragma once
// The record of one student in one exam as a CSV file for a spreadsheet: one
// line per graded answer with its quiz, and one for each quiz without
// answers (those read from history reports).
#include <SQLiteCpp/Database.h>

#include <filesystem>
#include <optional>
#include <string>

namespace qd {

// The header line of the file.
inline constexpr const char* kRecordCsvHeader =
    "quiz,quiz_started,quiz_ended,quiz_outcome,quiz_length,quiz_right,mode,timed,answered,question_id,category,answer,right,"
    "seconds";

// One field as CSV carries it: quoted when it holds a comma, a quote or a line
// break; text a spreadsheet would take for a formula starts with a quote mark.
std::string csv_field(const std::string& text);

// Writes the file whole or not at all. Returns why it failed, or nothing.
std::optional<std::string> export_record_csv(SQLite::Database& database, const std::string& student,
                                             const std::string& product_number, const std::filesystem::path& file);

}  // namespace qd
