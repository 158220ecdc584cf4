#pragma once
// History reports written before the study record existed are read into it
// once, so that a student's trend starts with the quizzes taken before: each
// entry gives a finished quiz's date and score.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "record/study_record.h"

namespace qd {

struct ReportedQuiz {
    int right_count = 0;
    int length = 0;
    std::int64_t when = 0;  // seconds since the epoch
};

// The quizzes of a report's text, in the report's order (newest first). An
// entry's date is read in the locale's short date and long time; one that
// cannot be read takes `fallback` less its place in the report, which keeps
// the order. Lines that are not entries are passed over.
std::vector<ReportedQuiz> read_history_entries(const std::string& report, std::int64_t fallback);

// Reads each "history.NUMBER.NAME.htm" of `folder` that the record has not
// read before. Returns how many quizzes were added.
int import_history_reports(StudyRecord& record, const std::filesystem::path& folder);

}  // namespace qd
