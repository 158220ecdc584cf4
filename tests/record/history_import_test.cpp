#include <gtest/gtest.h>

#include "platform/testing/doubles.h"
#include "record/history_import.h"
#include "record/record_database.h"
#include "results/history_report.h"
#include "temp_folder.h"

namespace qd {
namespace {

using qd::testing::write_file;

std::string entry(int right, int length, const std::string& date) {
    return history_entry_line({right, length, "Thursday", date, {{" 50% (1/2)", "Chapter 1"}}});
}

std::time_t local_time(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

// The report's own lines, as the program writes them, in the C locale's date forms.
TEST(HistoryImport, entriesGiveScoreAndDateNewestFirst) {
    const std::string report = history_header_line("ANNA", "NAVRA VIZIZ Exam") + "\r\n" + entry(8, 10, "12/10/26 19:26:22") +
                               "\r\n" + entry(0, 50, "not a date") + "\r\n" + "<p>some other line</p>\r\n" +
                               entry(3, 3, "12/08/26 07:05:00") + "\r\n";
    const std::vector<ReportedQuiz> quizzes = read_history_entries(report, 5000);
    ASSERT_EQ(quizzes.size(), 3u);
    EXPECT_EQ(quizzes[0].right_count, 8);
    EXPECT_EQ(quizzes[0].length, 10);
    EXPECT_EQ(quizzes[0].when, local_time(2026, 12, 10, 19, 26, 22));
    EXPECT_EQ(quizzes[1].right_count, 0);
    EXPECT_EQ(quizzes[1].length, 50);
    EXPECT_EQ(quizzes[1].when, 5000 - 1);  // its place in the report keeps the order
    EXPECT_EQ(quizzes[2].when, local_time(2026, 12, 8, 7, 5, 0));
}

TEST(HistoryImport, linesThatAreNotWholeEntriesArePassedOver) {
    for (const char* line :
         {"<p><b>  Results:</b><br> 80%&nbsp;&nbsp;(8/)&nbsp;&nbsp;-", "<p><b>  Results:</b><br> 80%&nbsp;&nbsp;(9/8)&nbsp;&nbsp;-",
          "<p><b>  Results:</b><br> 0%&nbsp;&nbsp;(0/0)", "<p><b>  Results:</b><br> 80%&nbsp;&nbsp;(x/8)", " 80%&nbsp;&nbsp;(8/10)",
          ""}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(read_history_entries(line, 1).empty());
    }
}

TEST(HistoryImport, eachReportOfTheFolderIsReadOnce) {
    testing::TempFolder folder;
    testing::FixedClock clock;
    ErrorLog log(clock);
    write_file("history.41517.ANNA.htm", history_header_line("ANNA", "E") + "\r\n" + entry(8, 10, "12/10/26 19:26:22") + "\r\n" +
                                             entry(5, 10, "12/09/26 19:26:22") + "\r\n");
    write_file("history.41518.BEN SMITH.htm",
               history_header_line("BEN SMITH", "E") + "\r\n" + entry(1, 2, "12/10/26 10:00:00") + "\r\n");
    write_file("history.htm", entry(1, 2, "12/10/26 10:00:00"));  // not a student's report
    write_file("41517.ANNA.results", entry(1, 2, "12/10/26 10:00:00"));
    StudyRecord record(kStudyRecordFile, log, clock);
    EXPECT_EQ(import_history_reports(record, "."), 3);
    EXPECT_EQ(import_history_reports(record, "."), 0);
    SQLite::Database& database = *record.database();
    SQLite::Statement quizzes(
        database, "SELECT student, product, length, right_count, outcome, source FROM quizzes ORDER BY started DESC, id");
    std::vector<std::string> rows;
    while (quizzes.executeStep())
        rows.push_back(quizzes.getColumn(0).getString() + "|" + quizzes.getColumn(1).getString() + "|" +
                       quizzes.getColumn(2).getString() + "|" + quizzes.getColumn(3).getString() + "|" +
                       quizzes.getColumn(4).getString() + "|" + quizzes.getColumn(5).getString());
    EXPECT_EQ(rows, (std::vector<std::string>{"ANNA|41517|10|8|graded|history", "BEN SMITH|41518|2|1|graded|history",
                                              "ANNA|41517|10|5|graded|history"}));
    EXPECT_FALSE(std::filesystem::exists("error.log"));
}

}  // namespace
}  // namespace qd
