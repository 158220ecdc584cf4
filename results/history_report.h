#pragma once
// The student's history report: an HTML file of one header line and one entry
// line per finished quiz, newest first, under the header. The previous report
// stays beside it as "temp.hist".
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qd {

// One category of the module table: its score text (" 77% (7/9)") and name.
struct CategoryScore {
    std::string score_text;
    std::string name;
};

struct HistoryEntry {
    int right_count = 0;
    int quiz_length = 0;
    std::string weekday;                    // the weekday's full name in the locale's language
    std::string date_time;                  // the locale's general date: short date, a blank, long time
    std::vector<CategoryScore> categories;  // empty: the entry has no module table
};

// The first line of a new report.
std::string history_header_line(const std::string& student_name, const std::string& exam_title);

// The entry line of one quiz, without its line end.
std::string history_entry_line(const HistoryEntry& entry);

// Inserts `entry_line` after the first line of the report at `report`, or
// starts a report of `header_line` and the entry when there is none. The old
// report is copied to `work_copy` first ("temp.hist"). The new report is
// written whole beside the old one and replaces it only when complete, so a
// crash or a full disk never leaves it shorter. A report that exists but
// cannot be read is left alone. Returns why it failed, or nothing.
std::optional<std::string> save_history(const std::filesystem::path& report, const std::filesystem::path& work_copy,
                                        const std::string& header_line, const std::string& entry_line);

}  // namespace qd
