#include <gtest/gtest.h>

#include <sys/stat.h>

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
        for (auto [key, value] : {std::pair{"answerwhenwrong", " 1"}, {"timedminutes", " 75"}, {"email", ""},
                                  {"studentname", "JO ANN"}, {"show#answers", "-1"}, {"quoted", "\"x\""}})
            ASSERT_TRUE(store.put("velqortest", "stuff", key, value)) << key;
    }
    IniSettingsStore reopened(folder / "config");
    for (auto [key, value] : {std::pair{"answerwhenwrong", " 1"}, {"timedminutes", " 75"}, {"email", ""},
                              {"studentname", "JO ANN"}, {"show#answers", "-1"}, {"quoted", "\"x\""}}) {
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

TEST(IniSettingsStore, configurationFolderComesFromTheEnvironment) {
    testing::TempFolder folder;  // sets QUIZDECK_CONFIG_DIR to its config folder
    EXPECT_EQ(IniSettingsStore::default_folder(), folder / "config");
}

}  // namespace
}  // namespace qd
