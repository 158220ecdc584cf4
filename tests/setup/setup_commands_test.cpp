#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "setup/category_choice.h"
#include "setup/drill_settings.h"
#include "setup/history_commands.h"
#include "temp_folder.h"

namespace qd {
namespace {

namespace fs = std::filesystem;
using testing::write_file;

TEST(HistoryCommands, viewOpensTheReportOrSaysThereIsNone) {
    testing::TempFolder folder;
    testing::ScriptedDialogs dialogs;
    testing::RecordingShell shell;
    dialogs.expect_message("No history found for user KIM .  Please take a quiz first and try again.", "NAVRA Practice Exams");
    view_test_score_history("41517", "KIM ", dialogs, shell);
    EXPECT_TRUE(shell.opened.empty());

    write_file(folder / "history.41517.KIM.htm", "<html></html>");
    view_test_score_history("41517", "KIM ", dialogs, shell);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], (std::pair<std::string, ShowMode>{"history.41517.KIM.htm", ShowMode::maximized}));
}

TEST(HistoryCommands, resetAsksAndOnlyYesDeletesBothFilesAndReloadsTheFlags) {
    testing::TempFolder folder;
    testing::ScriptedDialogs dialogs;
    MissedFlags flags;
    flags[5] = "1";
    flags[301] = "1";
    write_file(folder / "41518.ALEX.results", " 1, 1\r\n");
    write_file(folder / "history.41518.ALEX.htm", "<html></html>");
    write_file(folder / "history.41517.ALEX.htm", "<html></html>");  // another exam's report stays

    dialogs.expect_message("Are you sure you want to clear all history for user ALEX?", "Clear History?", DialogAnswer::no);
    dialogs.expect_message("History NOT cleared.", "NAVRA Practice Exams");
    reset_user_history("41518", "ALEX", flags, dialogs);
    EXPECT_TRUE(fs::exists(folder / "41518.ALEX.results"));
    EXPECT_TRUE(fs::exists(folder / "history.41518.ALEX.htm"));
    EXPECT_EQ(flags[5], "1");

    dialogs.expect_message("Are you sure you want to clear all history for user ALEX?", "Clear History?", DialogAnswer::yes);
    dialogs.expect_message("ALEX history has been cleared.", "NAVRA Practice Exams");
    reset_user_history("41518", "ALEX", flags, dialogs);
    EXPECT_FALSE(fs::exists(folder / "41518.ALEX.results"));
    EXPECT_FALSE(fs::exists(folder / "history.41518.ALEX.htm"));
    EXPECT_TRUE(fs::exists(folder / "history.41517.ALEX.htm"));
    EXPECT_EQ(flags[5], "0");
    EXPECT_EQ(flags[301], "1");  // entries above 300 keep their values

    // Nothing left to delete: the same message all the same.
    dialogs.expect_message("Are you sure you want to clear all history for user ALEX?", "Clear History?", DialogAnswer::yes);
    dialogs.expect_message("ALEX history has been cleared.", "NAVRA Practice Exams");
    reset_user_history("41518", "ALEX", flags, dialogs);
}

TEST(CategoryChoice, namesMatchWithoutOuterBlanksInAnyCase) {
    BankState bank;
    bank.category_count = 4;
    bank.category_names[1] = "1 - Models";
    bank.category_names[2] = " ethernet ";
    bank.category_names[3] = "Ethernet";
    bank.category_names[4] = "Simulator";
    EXPECT_EQ(category_list(bank), (std::vector<std::string>{"1 - Models", " ethernet ", "Ethernet", "Simulator"}));
    std::array<std::int16_t, 151> selected{};
    selected.fill(-1);
    mark_chosen_categories({"ETHERNET  ", "simulator"}, bank, selected);
    EXPECT_EQ(selected[1], 0);
    EXPECT_EQ(selected[2], -1);
    EXPECT_EQ(selected[3], -1);
    EXPECT_EQ(selected[4], -1);
    EXPECT_EQ(selected[50], 0);
    EXPECT_EQ(selected[51], -1);  // never cleared; no bank has that many categories
}

TEST(DrillSettings, saveConfigurationStoresPlainNumbers) {
    testing::TempFolder folder;
    IniSettingsStore store(folder / "config");
    UserSettings settings(store);
    save_drill_configuration({4, 9, true}, settings);
    EXPECT_EQ(settings.get(setting::answer_speed), "4");
    EXPECT_EQ(settings.get(setting::highlight_speed), "9");
    EXPECT_EQ(settings.get(setting::random_drill_questions), "1");
    save_drill_configuration({}, settings);
    EXPECT_EQ(settings.get(setting::random_drill_questions), "0");
}

}  // namespace
}  // namespace qd
