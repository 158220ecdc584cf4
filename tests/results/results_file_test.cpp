#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "results/results_file.h"
#include "temp_folder.h"

namespace qd {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

TEST(ResultsFile, resultsNameKeepsTheStoredNameAndHistoryNameTrimsIt) {
    EXPECT_EQ(results_file_name("41517", "Alex "), "41517.Alex .results");
    EXPECT_EQ(history_report_name("41517", " Alex "), "history.41517.Alex.htm");
}

// Every name that stood in a file name before keeps its files; a name that
// could not is mapped to one that can, inside the working folder.
TEST(ResultsFile, studentNamesMapToFileNamesInTheWorkingFolder) {
    const std::string long_name(300, 'a');
    std::string two_byte;
    for (int i = 0; i < 130; ++i) two_byte += "\xC3\xA9";  // é
    const struct {
        std::string name;
        std::string results;
        std::string history;
    } cases[] = {
        {"Alex", "41517.Alex.results", "history.41517.Alex.htm"},
        {"Zo\xC3\xAB \xC3\x98rsted", "41517.Zo\xC3\xAB \xC3\x98rsted.results", "history.41517.Zo\xC3\xAB \xC3\x98rsted.htm"},
        {"..", "41517....results", "history.41517....htm"},
        {".hidden", "41517..hidden.results", "history.41517..hidden.htm"},
        {"-rf", "41517.-rf.results", "history.41517.-rf.htm"},
        {"a\\b", "41517.a\\b.results", "history.41517.a\\b.htm"},
        {"../../etc/passwd", "41517..._.._etc_passwd.results", "history.41517..._.._etc_passwd.htm"},
        {"/tmp/x", "41517._tmp_x.results", "history.41517._tmp_x.htm"},
        {std::string("tab\there\x1b[1m\x7f\0", 14), "41517.tab_here_[1m__.results", "history.41517.tab_here_[1m__.htm"},
        {long_name, "41517." + std::string(255 - 14, 'a') + ".results", "history.41517." + std::string(255 - 18, 'a') + ".htm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(results_file_name("41517", c.name), c.results);
        EXPECT_EQ(history_report_name("41517", c.name), c.history);
    }
    // A cut never splits a letter.
    const std::string cut = history_report_name("41517", two_byte);
    EXPECT_LE(cut.size(), 255u);
    EXPECT_EQ(cut, "history.41517." + two_byte.substr(0, 236) + ".htm");
}

TEST(ResultsFile, aNameWithFolderPartsIsWrittenInTheWorkingFolder) {
    TempFolder folder;
    MissedFlags flags{};
    EXPECT_EQ(save_missed_flags(flags, results_file_name("41517", "../escape")), std::nullopt);
    EXPECT_TRUE(std::filesystem::exists(folder / "41517..._escape.results"));
}

TEST(ResultsFile, savesTwoThousandLinesWithUnrecordedEntriesAsZero) {
    TempFolder folder;
    MissedFlags flags;
    flags[5] = "1";
    flags[17] = "0";
    ASSERT_EQ(save_missed_flags(flags, folder / "r.results"), std::nullopt);
    const std::string bytes = read_file(folder / "r.results");
    std::string expected;
    for (int id = 1; id <= 2000; ++id) expected += (id == 5 ? " 1, " : " 0, ") + std::to_string(id) + "\r\n";
    EXPECT_EQ(bytes, expected);
}

TEST(ResultsFile, loadResetsTheFirstThreeHundredAndReadsLinesByOrder) {
    TempFolder folder;
    MissedFlags flags;
    flags[2] = "1";
    flags[301] = "1";
    flags[302] = "1";
    // Lines are assigned by their order, not by their second field.
    write_file(folder / "r.results", " 1, 9\r\n 0, 1\r\nnonsense\r\n 1\r\n");
    load_results_file(flags, folder / "r.results");
    EXPECT_EQ(flags[1], "1");
    EXPECT_EQ(flags[2], "0");
    EXPECT_EQ(flags[3], "0");
    EXPECT_EQ(flags[4], "1");
    EXPECT_EQ(flags[5], "0");    // reset, not in the file
    EXPECT_EQ(flags[301], "1");  // above 300: kept
    load_results_file(flags, folder / "missing.results");
    EXPECT_EQ(flags[1], "0");
    EXPECT_EQ(flags[302], "1");
}

TEST(ResultsFile, corruptOrHugeFilesLoadAsFarAsTheyAreSound) {
    TempFolder folder;
    struct Case {
        const char* name;
        std::string bytes;
        const char* first;
        bool told;  // the file is larger than a results file, and read cut
    };
    std::string binary(4096, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 37);
    const Case cases[] =
        {
            {"binary bytes", binary, "0", false},
            {"one 10 MB line without line ends", " 1," + std::string(10 << 20, '7'), "1", true},
            {"one line of 25,000 blanks", std::string(5000 * 5, ' ') + "\n", "0", true},
            {"more than 2000 short lines",
             [] {
        std::string many;
        for (int i = 0; i < 3000; ++i) many += " 1, 1\r\n";
        return many;
             }(),
             "1", true},
            {"2000 sound lines",
             [] {
        std::string sound;
        for (int i = 0; i < 2000; ++i) sound += " 1, 1\r\n";
        return sound;
             }(),
             "1", false},
               };
    // A FIFO no one writes reads as a missing file, at once.
    ASSERT_EQ(::mkfifo((folder / "fifo.results").c_str(), 0600), 0);
    MissedFlags from_fifo;
    from_fifo[1] = "1";
    load_results_file(from_fifo, folder / "fifo.results");
    EXPECT_EQ(from_fifo[1], "0");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write_file(folder / "r.results", c.bytes);
        MissedFlags flags;
        std::vector<std::string> told;
        load_results_file(flags, folder / "r.results", [&told](const std::string& notice) { told.push_back(notice); });
        EXPECT_EQ(flags[1], c.first);
        ASSERT_EQ(told.size(), c.told ? 1u : 0u);
        if (c.told) {
            EXPECT_TRUE(told[0].starts_with((folder / "r.results").string() + " is larger than a results file")) << told[0];
        }
    }
}

TEST(ResultsFile, aFailedSaveKeepsTheOldFile) {
    TempFolder folder;
    MissedFlags flags;
    flags[1] = "1";
    ASSERT_EQ(save_missed_flags(flags, folder / "r.results"), std::nullopt);
    const std::string before = read_file(folder / "r.results");
    // A results path inside a missing folder cannot be written.
    EXPECT_TRUE(save_missed_flags(flags, folder / "missing" / "r.results").has_value());
    EXPECT_EQ(read_file(folder / "r.results"), before);
}

}  // namespace
}  // namespace qd
