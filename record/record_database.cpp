#include "record/record_database.h"

#include <sqlite3.h>

#include <ctime>
#include <optional>

#include "record/record_schema.h"

namespace qd {

namespace {

// How long a write waits for another program holding the record before it is
// skipped: short, so that a locked record never holds up the quiz.
constexpr int kBusyTimeoutMs = 100;

std::string dated(std::chrono::system_clock::time_point now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d_%H%M%S", &local);
    return std::string(text, length);
}

// Errors that say the file itself is unusable, as opposed to the folder or
// the moment (read-only, full, locked, out of memory).
bool damaged_file_error(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

struct Unusable {
    std::string reason;  // "damaged" or "newer"
};

// Opens and prepares the file; a file that cannot be a record of this version
// is reported as unusable, anything else throws.
std::optional<Unusable> prepare(SQLite::Database& database) {
    try {
        database.exec("PRAGMA journal_mode = WAL");
        const std::string check = database.execAndGet("PRAGMA quick_check").getString();
        if (check != "ok") return Unusable{"damaged"};
        if (record_schema_version(database) > kRecordSchemaVersion) return Unusable{"newer"};
        try {
            migrate_record(database);
        } catch (const SQLite::Exception& error) {
            // Tables of the same names but another shape: a file of some other program.
            if ((error.getErrorCode() & 0xff) == SQLITE_ERROR) return Unusable{"damaged"};
            throw;
        }
    } catch (const SQLite::Exception& error) {
        if (damaged_file_error(error.getErrorCode())) return Unusable{"damaged"};
        throw;
    }
    // Each commit is written to the journal at once, so a crash of the program
    // never loses a committed answer, without waiting on the disk for each
    // answer (about 5 ms a commit here): a power cut can take back the last
    // answers before the next checkpoint, never the record's soundness.
    database.exec("PRAGMA synchronous = NORMAL");
    database.exec("PRAGMA foreign_keys = ON");
    return std::nullopt;
}

std::unique_ptr<SQLite::Database> open_file(const std::filesystem::path& file) {
    auto database = std::make_unique<SQLite::Database>(file.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    database->setBusyTimeout(kBusyTimeoutMs);
    return database;
}

std::string notice_for(const Unusable& unusable, const std::filesystem::path& aside) {
    const std::string why = unusable.reason == "newer" ? "was written by a newer version of the program"
                                                       : "is damaged and could not be read";
    return "Your study record " + why + ". It was kept as " + aside.filename().string() +
           " and a new study record has been started. Your results files and history reports are not affected.";
}

}  // namespace

std::filesystem::path set_aside_name(const std::filesystem::path& file, std::chrono::system_clock::time_point now,
                                     const std::string& reason) {
    const std::string base = file.stem().string() + "." + dated(now);
    std::filesystem::path aside = file.parent_path() / (base + "." + reason + file.extension().string());
    for (int number = 2; std::filesystem::exists(aside); ++number)
        aside = file.parent_path() / (base + "-" + std::to_string(number) + "." + reason + file.extension().string());
    return aside;
}

RecordOpening open_record_database(const std::filesystem::path& file, std::chrono::system_clock::time_point now) {
    RecordOpening opening;
    try {
        std::unique_ptr<SQLite::Database> database;
        std::optional<Unusable> unusable;
        try {
            database = open_file(file);
            unusable = prepare(*database);
        } catch (const SQLite::Exception& error) {
            if (!damaged_file_error(error.getErrorCode())) throw;
            unusable = Unusable{"damaged"};
        }
        if (unusable) {
            database.reset();  // closed before it is moved
            const std::filesystem::path aside = set_aside_name(file, now, unusable->reason);
            std::filesystem::rename(file, aside);
            // The journal belongs to the old file; it must not be applied to the new one.
            for (const char* part : {"-wal", "-shm"}) {
                const std::filesystem::path journal = file.string() + part;
                std::error_code ignored;
                if (std::filesystem::exists(journal, ignored)) std::filesystem::rename(journal, aside.string() + part, ignored);
            }
            database = open_file(file);
            if (prepare(*database)) throw std::runtime_error("a new study record could not be started");
            opening.notice = notice_for(*unusable, aside);
        }
        opening.database = std::move(database);
    } catch (const std::exception& error) {
        opening.database.reset();
        opening.failure = "The study record " + file.string() + " cannot be used: " + error.what();
    }
    return opening;
}

}  // namespace qd
