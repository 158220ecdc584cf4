#include "record/record_csv.h"

#include <SQLiteCpp/Statement.h>

#include <ctime>

#include "platform/replace_file.h"
#include "record/study_record.h"

namespace qd {

namespace {

// "2026-12-10 19:26:22" in local time; "" for none.
std::string local_time(const SQLite::Column& column) {
    if (column.isNull()) return std::string();
    const std::time_t seconds = column.getInt64();
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local));
}

}  // namespace

std::string csv_field(const std::string& text) {
    std::string field = text;
    if (!field.empty() && std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos) field.insert(0, "'");
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::optional<std::string> export_record_csv(SQLite::Database& database, const std::string& student,
                                             const std::string& product_number, const std::filesystem::path& file) {
    std::string text = std::string(kRecordCsvHeader) + "\r\n";
    try {
        SQLite::Statement rows(database, R"sql(
SELECT q.id, q.started, q.ended, q.outcome, q.length, q.right_count, q.practice, q.timed,
       a.answered, a.question_id, a.category, a.answer, a.right, a.seconds
FROM quizzes q LEFT JOIN answers a ON a.quiz_id = q.id
WHERE q.student = ? AND q.product = ?
ORDER BY q.started, q.id, a.answered, a.id)sql");
        rows.bind(1, record_student_name(student));
        rows.bind(2, product_number);
        while (rows.executeStep()) {
            const bool answered = !rows.getColumn(8).isNull();
            text += rows.getColumn(0).getString() + "," + local_time(rows.getColumn(1)) + "," + local_time(rows.getColumn(2)) +
                    "," + csv_field(rows.getColumn(3).getString()) + "," + rows.getColumn(4).getString() + "," +
                    rows.getColumn(5).getString() + "," + (rows.getColumn(6).getInt() ? "practice" : "test") + "," +
                    (rows.getColumn(7).getInt() ? "yes" : "no") + ",";
            if (answered)
                text += local_time(rows.getColumn(8)) + "," + rows.getColumn(9).getString() + "," + rows.getColumn(10).getString() +
                        "," + csv_field(rows.getColumn(11).getString()) + "," + (rows.getColumn(12).getInt() ? "right" : "wrong") +
                        "," + rows.getColumn(13).getString();
            else text += ",,,,,";
            text += "\r\n";
        }
    } catch (const std::exception& error) {
        return std::string("the study record cannot be read: ") + error.what();
    }
    return replace_file(file, text);
}

}  // namespace qd
