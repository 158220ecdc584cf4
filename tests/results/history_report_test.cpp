#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>

#include "ended_process.h"
#include "platform/file_beside.h"
#include "results/history_report.h"
#include "temp_folder.h"

namespace qd {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

const std::string kHeader =
    "<html><center><h2> History Report for Alex </h2><h3> First Part Exam </h3></center>Best Possible Result 100%"
    "<hr align=left width=100% size=15 NOSHADE COLOR=RED><hr><p>&nbsp;</p></html>";

std::string entry_of(int right, int length, const std::string& date_time, std::vector<CategoryScore> categories = {}) {
    return history_entry_line({right, length, "Thursday", date_time, std::move(categories)});
}

TEST(HistoryReport, headerAndEntryLinesAreWrittenExactly) {
    EXPECT_EQ(history_header_line("Alex", "First Part Exam"), kHeader);
    EXPECT_EQ(entry_of(5, 7, "12/10/2026 09:30:00"),
              "<p><b>  Results:</b><br> 71%&nbsp;&nbsp;(5/7)&nbsp;&nbsp;-&nbsp;&nbsp;Date: Thursday 12/10/2026 09:30:00"
              "<hr align=left width=71% size=15 NOSHADE COLOR=NAVY>");
    EXPECT_EQ(entry_of(29, 50, "D").substr(0, 28), "<p><b>  Results:</b><br> 58%");  // not 57, as floating point gives
    EXPECT_EQ(entry_of(0, 0, "D").substr(0, 27), "<p><b>  Results:</b><br> 0%");
    EXPECT_EQ(entry_of(2, 3, "D", {{" 50% (1/2)", "Routing"}, {"100% (1/1)", "Switching"}}),
              "<p><b>  Results:</b><br> 66%&nbsp;&nbsp;(2/3)&nbsp;&nbsp;-&nbsp;&nbsp;Date: Thursday D"
              "<hr align=left width=66% size=15 NOSHADE COLOR=NAVY>"
              "<b> Module Results:</b><table border=0 cellpadding=0 cellspacing=0 style=\"border-collapse: collapse\" "
              "bordercolor=#111111 width=50% id=AutoNumber1> <tr> <td width=50 align=center><u>&nbsp;% </u></td>   "
              "<td><u>&nbsp;Exam Module </u></td></tr>"
              "<tr><td align=center> 50% (1/2)</td><td>Routing</td></tr>"
              "<tr><td align=center>100% (1/1)</td><td>Switching</td></tr></table><p>&nbsp;</p>");
}

TEST(HistoryReport, firstQuizCreatesTheReportAndTheWorkCopyHoldingTheHeader) {
    TempFolder folder;
    const std::string entry = entry_of(5, 7, "A");
    ASSERT_FALSE(save_history(folder / "history.htm", folder / "temp.hist", kHeader, entry));
    EXPECT_EQ(read_file(folder / "history.htm"), kHeader + "\r\n" + entry + "\r\n");
    EXPECT_EQ(read_file(folder / "temp.hist"), kHeader + "\r\n");
}

// A report whose name nearly fills the name limit (a long student name) is
// saved all the same, and a save first removes what a crashed save left.
TEST(HistoryReport, aLongNameIsSavedAndACrashedSavesPartialFileGoes) {
    TempFolder folder;
    const std::filesystem::path report = folder / ("history.V1." + std::string(229, 'A') + ".htm");
    const std::filesystem::path crashed = beside(report, ".part" + std::to_string(testing::ended_process()) + "-0");
    write_file(crashed, "half a report");
    ASSERT_FALSE(save_history(report, folder / "temp.hist", kHeader, entry_of(1, 1, "A")));
    EXPECT_EQ(read_file(report), kHeader + "\r\n" + entry_of(1, 1, "A") + "\r\n");
    EXPECT_FALSE(std::filesystem::exists(crashed));
}

TEST(HistoryReport, threeQuizzesAreListedNewestFirstUnderTheUnchangedHeader) {
    TempFolder folder;
    const std::string first = entry_of(1, 3, "A"), second = entry_of(2, 3, "B"), third = entry_of(3, 3, "C");
    for (const std::string& entry : {first, second, third})
        ASSERT_FALSE(save_history(folder / "history.htm", folder / "temp.hist", kHeader, entry));
    EXPECT_EQ(read_file(folder / "history.htm"), kHeader + "\r\n" + third + "\r\n" + second + "\r\n" + first + "\r\n");
    EXPECT_EQ(read_file(folder / "temp.hist"), kHeader + "\r\n" + second + "\r\n" + first + "\r\n");
}

TEST(HistoryReport, oddReportsKeepEveryByteAndStillGetTheEntry) {
    TempFolder folder;
    std::string binary(4096, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 37 + 1);
    struct Case {
        const char* name;
        std::string old_report;
        std::string expected_start;  // what comes before the entry
        std::string expected_rest;   // what follows the entry's line end
    };
    const Case cases[] = {
        {"empty report", "", "\r\n", ""},
        {"Unix line ends", "head\nold entry\n", "head\n", "old entry\n"},
        {"binary bytes", binary, binary.substr(0, binary.find('\n') + 1), binary.substr(binary.find('\n') + 1)},
    };
    const std::string entry = entry_of(1, 2, "D");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write_file(folder / "history.htm", c.old_report);
        ASSERT_FALSE(save_history(folder / "history.htm", folder / "temp.hist", kHeader, entry));
        EXPECT_TRUE(read_file(folder / "history.htm") == c.expected_start + entry + "\r\n" + c.expected_rest);
        EXPECT_TRUE(read_file(folder / "temp.hist") == c.old_report);
    }
}

std::string tail_of(const std::filesystem::path& file, std::size_t count) {
    std::ifstream in(file, std::ios::binary);
    in.seekg(-static_cast<std::streamoff>(count), std::ios::end);
    std::string bytes(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    return bytes;
}

TEST(HistoryReport, aHugeReportWithoutLineEndsIsAllFirstLine) {
    TempFolder folder;
    constexpr std::uintmax_t kSize = 50 << 20;
    {
        std::ofstream out(folder / "history.htm", std::ios::binary);
        const std::string block(1 << 20, 'x');
        for (std::uintmax_t written = 0; written < kSize; written += block.size()) out << block;
    }
    const std::string entry = entry_of(1, 2, "D");
    ASSERT_FALSE(save_history(folder / "history.htm", folder / "temp.hist", kHeader, entry));
    EXPECT_EQ(std::filesystem::file_size(folder / "history.htm"), kSize + 2 + entry.size() + 2);
    EXPECT_EQ(tail_of(folder / "history.htm", entry.size() + 5), "x\r\n" + entry + "\r\n");
    EXPECT_EQ(std::filesystem::file_size(folder / "temp.hist"), kSize);
}

// A full disk in the middle of writing the new report: the file-size limit
// makes the write fail part-way, as a disk that fills up does.
TEST(HistoryReport, aWriteFailingPartWayKeepsTheReportWhole) {
    TempFolder folder;
    std::string report = kHeader + "\r\n";
    for (int i = 0; i < 200; ++i) report += entry_of(i % 7, 7, std::to_string(i)) + "\r\n";
    write_file(folder / "history.htm", report);

    rlimit old_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_limit;
    limit.rlim_cur = report.size() + 10;  // room for the work copy, not for the new report
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto failure = save_history(folder / "history.htm", folder / "temp.hist", kHeader, entry_of(1, 1, "new"));
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_TRUE(failure.has_value());
    EXPECT_TRUE(read_file(folder / "history.htm") == report);
    EXPECT_TRUE(read_file(folder / "temp.hist") == report);
    for (const auto& file : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(file.path().filename().string().find(".part"), std::string::npos) << "left behind: " << file.path();
}

TEST(HistoryReport, aReportThatCannotBeReadIsNeverReplaced) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "history.htm");  // exists, but holds no bytes to read
    write_file(folder / "temp.hist", "stale copy\r\n");
    EXPECT_TRUE(save_history(folder / "history.htm", folder / "temp.hist", kHeader, entry_of(1, 1, "D")).has_value());
    EXPECT_TRUE(std::filesystem::is_directory(folder / "history.htm"));
    EXPECT_EQ(read_file(folder / "temp.hist"), "stale copy\r\n");
}

}  // namespace
}  // namespace qd
