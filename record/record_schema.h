#pragma once
// The study record's tables, and the steps that bring a record of any earlier
// version up to this one. A record's version is its `user_version`.
#include <SQLiteCpp/Database.h>

namespace qd {

inline constexpr int kRecordSchemaVersion = 2;

// The version a record is at: 0 for a new, empty file.
int record_schema_version(SQLite::Database& database);

// Runs the steps from the record's version up to `target`, each in a
// transaction of its own together with its new version number, so a crash
// between steps leaves a record at a version it really has.
void migrate_record(SQLite::Database& database, int target = kRecordSchemaVersion);

}  // namespace qd
