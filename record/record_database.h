#pragma once
// Opens the study record of a working folder, ready for use: WAL journal,
// checked, at this program's schema version. A record that is damaged, is not
// a record, or was written by a newer version of the program is moved aside
// under a dated name and a new one is started; a record that cannot be opened
// now (read-only folder, full disk, locked) is left as it is.
#include <SQLiteCpp/Database.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace qd {

inline constexpr const char* kStudyRecordFile = "study-record.sqlite";

struct RecordOpening {
    std::unique_ptr<SQLite::Database> database;  // empty when the record cannot be used now
    std::string notice;                          // for the student, once: an old record was moved aside
    std::string failure;                         // why there is no database, for the error log
};

RecordOpening open_record_database(const std::filesystem::path& file, std::chrono::system_clock::time_point now);

// Where a record set aside at `now` goes: "study-record.2026-12-10_192622.damaged.sqlite"
// beside it, with a number added when that name is taken.
std::filesystem::path set_aside_name(const std::filesystem::path& file, std::chrono::system_clock::time_point now,
                                     const std::string& reason);

}  // namespace qd
