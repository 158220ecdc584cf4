// Two copies of the program saving the same files at the same moment: each
// read-modify-write waits for the other's, so neither loses what the other added.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "platform/file_lock.h"
#include "platform/settings_store.h"
#include "results/history_report.h"
#include "temp_folder.h"

namespace qd {
namespace {

constexpr int kRounds = 25;

// One copy's quizzes: each counts itself and adds its history entry.
bool end_quizzes(const std::filesystem::path& folder) {
    IniSettingsStore store(folder / "config");
    for (int round = 0; round < kRounds; ++round) {
        const bool counted = store.change("velqor", "V1", "num_times", "0",
                                          [](const std::string& stored) { return std::to_string(std::stoi(stored) + 1); });
        if (!counted || save_history(folder / "history.htm", folder / "temp.hist", "header", "entry " + std::to_string(round)))
            return false;
    }
    return true;
}

TEST(OneWriter, twoCopiesEndingQuizzesTogetherKeepEveryCountAndEveryEntry) {
    testing::TempFolder folder;
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    pid_t copies[2];
    for (pid_t& copy : copies) {
        copy = ::fork();
        ASSERT_GE(copy, 0);
        if (copy == 0) {
            char go;
            const bool started = ::read(gate[0], &go, 1) == 1;  // both start at the same moment
            ::_exit(started && end_quizzes(folder.path()) ? 0 : 1);
        }
    }
    ASSERT_EQ(::write(gate[1], "go", 2), 2);
    for (pid_t copy : copies) {
        int status = 0;
        ASSERT_EQ(::waitpid(copy, &status, 0), copy);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ::close(gate[0]);
    ::close(gate[1]);

    EXPECT_EQ(IniSettingsStore(folder / "config").get("velqor", "V1", "num_times", ""), std::to_string(2 * kRounds));
    std::istringstream report(testing::read_file(folder / "history.htm"));
    int entries = 0;
    for (std::string line; std::getline(report, line);) entries += line.starts_with("entry ");
    EXPECT_EQ(entries, 2 * kRounds);
}

TEST(OneWriter, aSecondWriterWaitsThenGivesUpWhileTheFirstHoldsTheLock) {
    testing::TempFolder folder;
    const auto file = folder / "history.htm";
    auto first = FileLock::take(file);
    ASSERT_TRUE(first);
    EXPECT_FALSE(FileLock::take(file, std::chrono::milliseconds(20)));
    first.reset();
    EXPECT_TRUE(FileLock::take(file, std::chrono::milliseconds(20)));
    EXPECT_NE(busy_reason(file).find("busy"), std::string::npos);
}

}  // namespace
}  // namespace qd
