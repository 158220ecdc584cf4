// The swap helper u2, run as the utility runs it: from the program folder,
// without arguments, after the utility has written "updates.new".
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "child_process.h"
#include "temp_folder.h"
#include "updater/swap/utility_lock.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using qd::testing::ChildProcess;
using qd::testing::read_file;
using qd::testing::TempFolder;
using qd::testing::write_file;

class SwapHelper : public ::testing::Test {
protected:
    SwapHelper() {
        fs::copy_file(QD_U2_PROGRAM, temp / "u2");
        write_file(utility, "old utility");
        fs::permissions(utility, fs::perms(0750));
        write_file(utility.string() + ".new", "new utility");
        fs::permissions(utility.string() + ".new", fs::perms(0600));
    }

    int run_u2() {
        ChildProcess u2({(temp / "u2").string()}, temp.path());
        return u2.wait_for_exit(20s);
    }

    TempFolder temp;
    const fs::path utility = temp / "updates";
};

TEST_F(SwapHelper, newCopyTakesThePlaceWithTheOldPermissions) {
    EXPECT_EQ(run_u2(), 0);
    EXPECT_EQ(read_file(utility), "new utility");
    EXPECT_EQ(fs::status(utility).permissions(), fs::perms(0750));
    EXPECT_FALSE(fs::exists(utility.string() + ".new"));
}

// The running utility holds its lock; u2 swaps only once it is gone.
TEST_F(SwapHelper, waitsUntilTheUtilityHasEnded) {
    auto running = std::make_unique<qd::UtilityLock>(utility);
    ASSERT_TRUE(running->held());
    ChildProcess u2({(temp / "u2").string()}, temp.path());
    EXPECT_EQ(u2.wait_for_exit(300ms), -1);
    EXPECT_EQ(read_file(utility), "old utility");
    running.reset();
    EXPECT_EQ(u2.wait_for_exit(20s), 0);
    EXPECT_EQ(read_file(utility), "new utility");
}

TEST_F(SwapHelper, failedSwapKeepsTheOldUtilityAndSaysWhy) {
    struct Case {
        const char* name;
        std::function<void()> spoil;
        const char* reason;
    };
    const Case cases[] =
        {
            {"no new copy", [&] { fs::remove(utility.string() + ".new"); }, "no new copy"},
            {"new copy is a folder",
             [&] {
        fs::remove(utility.string() + ".new");
        fs::create_directory(utility.string() + ".new");
             },
             "is not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.spoil();
        fs::remove(temp / "u2.log");
        EXPECT_EQ(run_u2(), 1);
        EXPECT_EQ(read_file(utility), "old utility");
        EXPECT_EQ(fs::status(utility).permissions(), fs::perms(0750));
        const std::string log = read_file(temp / "u2.log");
        EXPECT_NE(log.find("the update utility was not replaced: "), std::string::npos) << log;
        EXPECT_NE(log.find(c.reason), std::string::npos) << log;
    }
}

}  // namespace
