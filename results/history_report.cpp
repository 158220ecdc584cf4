#include "results/history_report.h"

#include <cstdio>
#include <memory>

#include "platform/file_for_writing.h"
#include "platform/file_lock.h"
#include "platform/text_forms.h"
#include "results/file_in_progress.h"
#include "results/percent.h"

namespace qd {

namespace {

constexpr const char* kLineEnd = "\r\n";

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
File open_file(const std::filesystem::path& file, const char* mode) { return File(std::fopen(file.c_str(), mode), &std::fclose); }

std::string module_table(const std::vector<CategoryScore>& categories) {
    std::string table =
        "<b> Module Results:</b><table border=0 cellpadding=0 cellspacing=0 style=\"border-collapse: collapse\" "
        "bordercolor=#111111 width=50% id=AutoNumber1> <tr> <td width=50 align=center><u>&nbsp;% </u></td>   "
        "<td><u>&nbsp;Exam Module </u></td></tr>";
    for (const CategoryScore& category : categories)
        table += "<tr><td align=center>" + category.score_text + "</td><td>" + category.name + "</td></tr>";
    return table + "</table><p>&nbsp;</p>";
}

}  // namespace

std::string history_header_line(const std::string& student_name, const std::string& exam_title) {
    return "<html><center><h2> History Report for " + student_name + " </h2><h3> " + exam_title +
           " </h3></center>Best Possible Result 100%<hr align=left width=100% size=15 NOSHADE COLOR=RED><hr><p>&nbsp;</p></html>";
}

std::string history_entry_line(const HistoryEntry& entry) {
    // A quiz of no questions scores 0 rather than failing the whole entry.
    const int percent = percent_right(entry.right_count, entry.quiz_length).value_or(0);
    std::string line = "<p><b>  Results:</b><br>" + blank_led_number(percent) + "%&nbsp;&nbsp;(" +
                       std::to_string(entry.right_count) + "/" + std::to_string(entry.quiz_length) +
                       ")&nbsp;&nbsp;-&nbsp;&nbsp;Date: " + entry.weekday + " " + entry.date_time +
                       "<hr align=left width=" + std::to_string(percent) + "% size=15 NOSHADE COLOR=NAVY>";
    if (!entry.categories.empty()) line += module_table(entry.categories);
    return line;
}

std::optional<std::string> save_history(const std::filesystem::path& report, const std::filesystem::path& work_copy,
                                        const std::string& header_line, const std::string& entry_line) {
    // One writer at a time: another copy's entry is in the report before this one reads it.
    const auto lock = FileLock::take(report);
    if (!lock) return busy_reason(report);
    const std::string entry = entry_line + kLineEnd;
    std::error_code error;
    const bool report_exists = std::filesystem::exists(report, error);
    if (error) return "cannot look for " + report.string() + ": " + error.message();
    // Never replace a report that cannot be read: its entries would be lost.
    if (report_exists && !std::filesystem::is_regular_file(report, error)) return report.string() + " is not a file";
    File in = report_exists ? open_file(report, "rb") : File(nullptr, &std::fclose);
    if (report_exists && !in) return "cannot read " + report.string();

    // The old report is streamed, never held whole, so a huge one costs no memory.
    // The work copy is a courtesy to the student; the report does not depend on it.
    File copy(open_stream_for_writing(work_copy, WriteMode::replace_contents), &std::fclose);
    FileInProgress updated(report);
    auto pass_on = [&](std::string_view bytes) {
        if (copy) std::fwrite(bytes.data(), 1, bytes.size(), copy.get());
        return bytes;
    };
    if (!report_exists) {
        updated.write(pass_on(header_line + kLineEnd));
        updated.write(entry);
        return updated.commit();
    }
    // The entry follows the first line feed; a report without one is all first line.
    bool entry_written = false;
    char buffer[1 << 16];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, in.get())) > 0;) {
        std::string_view chunk = pass_on({buffer, count});
        if (!entry_written) {
            const std::size_t line_feed = chunk.find('\n');
            if (line_feed == std::string_view::npos) {
                updated.write(chunk);
                continue;
            }
            updated.write(chunk.substr(0, line_feed + 1));
            updated.write(entry);
            entry_written = true;
            chunk.remove_prefix(line_feed + 1);
        }
        updated.write(chunk);
    }
    if (std::ferror(in.get())) return "cannot read " + report.string();
    if (!entry_written) {
        updated.write(kLineEnd);
        updated.write(entry);
    }
    return updated.commit();
}

}  // namespace qd
