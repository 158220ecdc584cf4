#include "record/history_import.h"

#include <SQLiteCpp/Transaction.h>

#include <charconv>
#include <ctime>
#include <fstream>
#include <sstream>

namespace qd {

namespace {

constexpr std::string_view kScoreMark = "%&nbsp;&nbsp;(";
constexpr std::string_view kDateMark = "Date: ";
constexpr std::uintmax_t kLargestReport = 64u << 20;  // a bigger file is not one of ours

bool read_number(std::string_view text, int& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

// "Thursday 12/10/26 19:26:22" in the locale's forms; the weekday is passed over.
bool read_date(std::string_view text, std::int64_t& when) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) return false;
    const std::string date(text.substr(blank + 1));
    std::tm local{};
    local.tm_isdst = -1;
    const char* end = strptime(date.c_str(), "%x %X", &local);
    if (end == nullptr || *end != '\0') return false;
    const std::time_t seconds = std::mktime(&local);
    if (seconds == -1) return false;
    when = seconds;
    return true;
}

bool read_entry(std::string_view line, ReportedQuiz& quiz) {
    const std::size_t score = line.find(kScoreMark);
    if (line.find("Results:") == std::string_view::npos || score == std::string_view::npos) return false;
    const std::size_t open = score + kScoreMark.size();
    const std::size_t slash = line.find('/', open);
    const std::size_t close = line.find(')', open);
    if (slash == std::string_view::npos || close == std::string_view::npos || slash > close) return false;
    if (!read_number(line.substr(open, slash - open), quiz.right_count) ||
        !read_number(line.substr(slash + 1, close - slash - 1), quiz.length))
        return false;
    if (quiz.length <= 0 || quiz.right_count < 0 || quiz.right_count > quiz.length) return false;
    const std::size_t date = line.find(kDateMark, close);
    quiz.when = 0;
    if (date != std::string_view::npos) {
        const std::size_t start = date + kDateMark.size();
        const std::size_t end = line.find('<', start);
        if (!read_date(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start), quiz.when))
            quiz.when = 0;
    }
    return true;
}

// "history.41517.ANNA.htm": the product number and the name part.
bool report_owner(const std::string& file_name, std::string& product, std::string& student) {
    constexpr std::string_view prefix = "history.", suffix = ".htm";
    if (!file_name.starts_with(prefix) || !file_name.ends_with(suffix)) return false;
    const std::string middle = file_name.substr(prefix.size(), file_name.size() - prefix.size() - suffix.size());
    const std::size_t dot = middle.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == middle.size()) return false;
    product = middle.substr(0, dot);
    student = middle.substr(dot + 1);
    return true;
}

std::int64_t modified_seconds(const std::filesystem::path& file) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(file, error);
    if (error) return 0;
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

}  // namespace

std::vector<ReportedQuiz> read_history_entries(const std::string& report, std::int64_t fallback) {
    std::vector<ReportedQuiz> quizzes;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        ReportedQuiz quiz;
        if (!read_entry(line, quiz)) continue;
        if (quiz.when == 0) quiz.when = fallback - static_cast<std::int64_t>(quizzes.size());
        quizzes.push_back(quiz);
    }
    return quizzes;
}

int import_history_reports(StudyRecord& record, const std::filesystem::path& folder) {
    int added = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::string product, student;
        const std::string name = entry.path().filename().string();
        if (!report_owner(name, product, student) || !entry.is_regular_file(error) || entry.file_size(error) > kLargestReport)
            continue;
        record.attempt("a history report", [&](SQLite::Database& database) {
            SQLite::Statement seen(database, "SELECT count(*) FROM imported_reports WHERE file = ?");
            seen.bind(1, name);
            if (seen.executeStep() && seen.getColumn(0).getInt() > 0) return;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            const std::int64_t modified = modified_seconds(entry.path());
            SQLite::Transaction transaction(database);
            SQLite::Statement insert(database,
                                     "INSERT INTO quizzes (student, product, started, ended, length, right_count, outcome, source) "
                                     "VALUES (?, ?, ?, ?, ?, ?, 'graded', 'history')");
            int count = 0;
            for (const ReportedQuiz& quiz : read_history_entries(text, modified)) {
                insert.reset();
                insert.bind(1, student);
                insert.bind(2, product);
                insert.bind(3, quiz.when);
                insert.bind(4, quiz.when);
                insert.bind(5, quiz.length);
                insert.bind(6, quiz.right_count);
                insert.exec();
                ++count;
            }
            SQLite::Statement done(database, "INSERT INTO imported_reports (file, imported) VALUES (?, ?)");
            done.bind(1, name);
            done.bind(2, modified);
            done.exec();
            transaction.commit();
            added += count;
        });
    }
    return added;
}

}  // namespace qd
