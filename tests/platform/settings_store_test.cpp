#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "temp_folder.h"

namespace qd {
namespace {

TEST(IniSettingsStore, missingKeySectionOrApplicationGivesTheDefault) {
    testing::TempFolder folder;
    IniSettingsStore store(folder / "config");
    EXPECT_EQ(store.get("velqortest", "stuff", "radio", "1"), "1");
    ASSERT_TRUE(store.put("velqortest", "stuff", "backb", " 1"));
    EXPECT_EQ(store.get("velqortest", "stuff", "radio", "1"), "1");
    EXPECT_EQ(store.get("velqortest", "order", "backb", "d"), "d");
    EXPECT_EQ(store.get("velqor", "stuff", "backb", "d"), "d");
}

TEST(IniSettingsStore, valuesKeepBlanksEmptinessAndSurviveANewStore) {
    testing::TempFolder folder;
    {
        IniSettingsStore store(folder / "config");
        for (auto [key, value] : {std::pair{"answerwhenwrong", " 1"},
                                  {"timedminutes", " 75"},
                                  {"email", ""},
                                  {"studentname", "JO ANN"},
                                  {"show#answers", "-1"},
                                  {"quoted", "\"x\""}})
            ASSERT_TRUE(store.put("velqortest", "stuff", key, value)) << key;
    }
    IniSettingsStore reopened(folder / "config");
    for (auto [key, value] : {std::pair{"answerwhenwrong", " 1"},
                              {"timedminutes", " 75"},
                              {"email", ""},
                              {"studentname", "JO ANN"},
                              {"show#answers", "-1"},
                              {"quoted", "\"x\""}}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(reopened.get("velqortest", "stuff", key, "default"), value);
    }
}

// The store parses a file once and keeps it while the file is unchanged:
// what another copy stores, or a hand edit, is still seen at the next read.
TEST(IniSettingsStore, aChangeByAnotherCopyOrByHandIsSeenAtTheNextRead) {
    testing::TempFolder folder;
    IniSettingsStore mine(folder / "config"), other(folder / "config");
    ASSERT_TRUE(mine.put("velqor", "V1", "num_times", "1"));
    EXPECT_EQ(other.get("velqor", "V1", "num_times", "d"), "1");
    ASSERT_TRUE(mine.put("velqor", "V1", "num_times", "2"));
    EXPECT_EQ(other.get("velqor", "V1", "num_times", "d"), "2");
    testing::write_file(folder / "config" / "velqor.ini", "[V1]\r\nnum_times=\"7\"\r\n");  // same size, same file
    EXPECT_EQ(other.get("velqor", "V1", "num_times", "d"), "7");
    ASSERT_TRUE(other.change("velqor", "V1", "num_times", "0", [](const std::string& stored) { return stored + "8"; }));
    EXPECT_EQ(mine.get("velqor", "V1", "num_times", "d"), "78");
    std::filesystem::remove(folder / "config" / "velqor.ini");
    EXPECT_EQ(mine.get("velqor", "V1", "num_times", "d"), "d");
}

TEST(IniSettingsStore, namesMatchWithoutRegardToCase) {
    testing::TempFolder folder;
    IniSettingsStore store(folder / "config");
    ASSERT_TRUE(store.put("velqor", "41517", "num_times", "4"));
    EXPECT_EQ(store.get("velqor", "41517", "NUM_TIMES", "0"), "4");
}

TEST(IniSettingsStore, folderThatCannotBeCreatedFailsThePut) {
    testing::TempFolder folder;
    testing::write_file(folder / "blocker", "a file, not a folder");
    IniSettingsStore store(folder / "blocker" / "config");
    EXPECT_FALSE(store.put("velqortest", "stuff", "radio", " 1"));
    EXPECT_EQ(store.get("velqortest", "stuff", "radio", "1"), "1");
}

// What the store finds in a settings file's place is told once: a link
// (replaced by a plain file, its target left alone) and a file too large to
// read (read as empty, and kept as it is).
TEST(IniSettingsStore, aPlantedLinkAndAnOverLongFileAreEachToldOnce) {
    namespace fs = std::filesystem;
    testing::TempFolder folder;
    fs::create_directories(folder / "config");
    testing::write_file(folder / "kept.ini", "[V1]\r\nnum_times=\"3\"\r\n");
    fs::create_symlink(folder / "kept.ini", folder / "config" / "velqor.ini");
    const std::string too_large = "[V1]\r\nnum_times=\"3\"\r\n" + std::string(kLargestIniFile, ';');
    testing::write_file(folder / "config" / "velqortest.ini", too_large);

    std::vector<std::string> told;
    IniSettingsStore store(folder / "config", [&told](const std::string& notice) { told.push_back(notice); });
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(store.put("velqor", "V1", "num_times", "4"));
        EXPECT_EQ(store.get("velqortest", "V1", "num_times", "d"), "d");
        EXPECT_FALSE(store.put("velqortest", "V1", "num_times", "4"));
    }
    EXPECT_FALSE(fs::is_symlink(folder / "config" / "velqor.ini"));
    EXPECT_EQ(testing::read_file(folder / "kept.ini"), "[V1]\r\nnum_times=\"3\"\r\n");
    EXPECT_EQ(testing::read_file(folder / "config" / "velqortest.ini"), too_large);
    const std::string link = (folder / "config" / "velqor.ini").string() + " is a symbolic link to " +
                             (folder / "kept.ini").string();
    const std::string large = (folder / "config" / "velqortest.ini").string() + " is larger than 4 MB";
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[0].starts_with(link)) << told[0];
    EXPECT_TRUE(told[1].starts_with(large)) << told[1];
}

TEST(IniSettingsStore, configurationFolderComesFromTheEnvironment) {
    testing::TempFolder folder;  // sets QUIZDECK_CONFIG_DIR to its config folder
    EXPECT_EQ(IniSettingsStore::default_folder(), folder / "config");
}

}  // namespace
}  // namespace qd
