#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "ended_process.h"
#include "platform/file_beside.h"
#include "platform/partial_files.h"
#include "platform/replace_file.h"
#include "temp_folder.h"

namespace qd {
namespace {

namespace fs = std::filesystem;

std::set<std::string> names_in(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

TEST(PartialFiles, aPartialFileOfAnEndedProcessGoesAndEveryOtherFileStays) {
    testing::TempFolder folder;
    const std::string dead = std::to_string(testing::ended_process());
    const std::string own = std::to_string(::getpid());
    const std::set<std::string> files = {
        "history.htm",
        "history.htm.part" + dead + "-0",  // a crashed save of this report
        "history.htm.part" + own + "-0",   // this process's own save in progress
        "history.htm.part1-0",             // a running process's
        "other.htm.part" + dead + "-3",    // a crashed save of another file
        "notes.part" + dead,               // not a name of ours
        "history.htm.part" + dead + "-x",
    };
    for (const std::string& name : files) testing::write_file(folder / name, "x");
    fs::create_directory(folder / ("folder.part" + dead + "-0"));

    remove_stale_partial_files_of(folder / "history.htm");
    std::set<std::string> expected = files;
    expected.erase("history.htm.part" + dead + "-0");
    expected.insert({"folder.part" + dead + "-0", "config"});  // a folder of that name, and the test's own
    EXPECT_EQ(names_in(folder.path()), expected);

    remove_stale_partial_files_in(folder.path());
    expected.erase("other.htm.part" + dead + "-3");
    EXPECT_EQ(names_in(folder.path()), expected);
}

TEST(PartialFiles, temporaryNamesKeepWithinTheNameLimitAndAreStillFoundAsStale) {
    testing::TempFolder folder;
    for (std::size_t length : {1u, 200u, 229u + 15u, 255u}) {
        SCOPED_TRACE(length);
        const fs::path file = folder / std::string(length, 'n');
        const fs::path partial = partial_file_of(file, 12);
        EXPECT_LE(partial.filename().string().size(), kLongestFileName);
        EXPECT_EQ(partial.parent_path(), folder.path());
        EXPECT_TRUE(partial.filename().string().ends_with(".part" + std::to_string(::getpid()) + "-12"));
        EXPECT_EQ(replace_file(file, "whole"), std::nullopt);
        EXPECT_EQ(testing::read_file(file), "whole");
    }
    // A crashed save of a long name left its cut partial file; the next save of that file removes it.
    const fs::path file = folder / std::string(250, 'l');
    const fs::path stale = beside(file, ".part" + std::to_string(testing::ended_process()) + "-0");
    testing::write_file(stale, "half");
    EXPECT_EQ(replace_file(file, "whole"), std::nullopt);
    EXPECT_FALSE(fs::exists(stale));
}

}  // namespace
}  // namespace qd
