#include <gtest/gtest.h>

#include <cstdlib>

#include "temp_folder.h"

namespace qd::testing {
namespace {

namespace fs = std::filesystem;

TEST(TempFolder, restoresTheConfigurationFolderItReplaced) {
    ::setenv("QUIZDECK_CONFIG_DIR", "/nonexistent/config", 1);
    {
        TempFolder folder;
        EXPECT_EQ(std::string(std::getenv("QUIZDECK_CONFIG_DIR")), (folder / "config").string());
    }
    EXPECT_STREQ(std::getenv("QUIZDECK_CONFIG_DIR"), "/nonexistent/config");
    ::unsetenv("QUIZDECK_CONFIG_DIR");
    { TempFolder folder; }
    EXPECT_EQ(std::getenv("QUIZDECK_CONFIG_DIR"), nullptr);
}

TEST(TempFolder, cleanUpLeavesWhatALinkPointsAtAlone) {
    TempFolder outer;
    write_file(outer / "outside.txt", "keep");
    fs::permissions(outer / "outside.txt", fs::perms::owner_read);
    {
        TempFolder inner;
        fs::create_symlink(outer / "outside.txt", inner / "link");
        fs::create_directory_symlink(outer.path(), inner / "folder_link");
    }
    EXPECT_EQ(fs::status(outer / "outside.txt").permissions(), fs::perms::owner_read);
    EXPECT_EQ(read_file(outer / "outside.txt"), "keep");
}

}  // namespace
}  // namespace qd::testing
