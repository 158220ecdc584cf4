#include <gtest/gtest.h>

#include "common/error_log.h"
#include "platform/settings_store.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "setup/settings_commands.h"
#include "temp_folder.h"

namespace qd {
namespace {

struct SettingsWorld {
    testing::TempFolder folder;
    testing::FixedClock clock{"D"};
    ErrorLog log{clock};
    GuardedProcedure load{log, guard::main_menu_load};
    IniSettingsStore store{folder / "config"};
    UserSettings settings{store};
    testing::ScriptedDialogs dialogs;

    // The main menu load's two settings steps on designed boxes.
    MenuChoices load_boxes() {
        MenuChoices boxes;
        const bool saved = load_user_settings(settings, boxes, load);
        load_saved_options(settings, boxes, load, saved);
        return boxes;
    }
    void save(const MenuChoices& boxes) {
        dialogs.expect_message("User Settings have been saved.", "NAVRA Practice Exams");
        savesettings_Click(boxes, settings, dialogs);
    }
};

TEST(SettingsCommands, firstLoadKeepsTheDesignedBoxesAndLogsTheMissingAnswerCount) {
    SettingsWorld w;
    const MenuChoices boxes = w.load_boxes();
    EXPECT_EQ(boxes, MenuChoices{});
    EXPECT_EQ(w.settings.working.student_name, "STUDENT");
    EXPECT_EQ(w.settings.working.radio_buttons, -1);
    EXPECT_EQ(w.settings.working.answer_position, "top");
    EXPECT_EQ(w.settings.working.show_answer_when_wrong, 0);
    EXPECT_EQ(testing::read_file(w.folder / "error.log"),
              "D - pick_a_quiz form load() - pick_a_quiz13 - The setting show#answers holds \"\", not a whole number - \r\n");
}

TEST(SettingsCommands, saveThenLoadGivesBackEveryBox) {
    SettingsWorld w;
    MenuChoices boxes;
    boxes.answer_when_wrong = false;
    boxes.answer_when_right = true;
    boxes.timed_quiz = true;
    boxes.time_text = "42";
    boxes.random_questions = false;
    boxes.random_answers = false;
    boxes.live_scoring = false;
    boxes.back_button = false;
    boxes.show_answer_count = false;
    boxes.embed_media_player = true;
    boxes.radio_buttons = false;
    w.save(boxes);
    EXPECT_EQ(w.settings.get(setting::timed_minutes), " 42");
    EXPECT_EQ(w.settings.get(setting::embed_media_player), "1");
    MenuChoices loaded = w.load_boxes();
    EXPECT_EQ(loaded.time_text, " 42");  // the stored text, as stored
    loaded.time_text = "42";
    EXPECT_EQ(loaded, boxes);
    EXPECT_EQ(w.settings.working.radio_buttons, 0);
    EXPECT_FALSE(std::filesystem::exists(w.folder / "error.log"));
}

TEST(SettingsCommands, withoutSaveSettingsOnlyTheWorkingValuesFollowTheStore) {
    SettingsWorld w;
    for (const SettingKey* key : {&setting::answer_when_wrong, &setting::answer_when_right, &setting::timed_test,
                                  &setting::random_questions, &setting::embed_media_player})
        w.settings.put(*key, " 1");
    w.settings.put(setting::show_answer_count, " 0");
    w.settings.put(setting::timed_minutes, " 20");
    const MenuChoices boxes = w.load_boxes();
    MenuChoices expected;
    expected.show_answer_count = false;
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(w.settings.working.show_answer_when_wrong, 1);
    EXPECT_EQ(w.settings.working.show_answer_when_right, 1);
    EXPECT_EQ(w.settings.working.embed_media_player, 1);
}

TEST(SettingsCommands, badTimeOrFontKeepsOrRepairsItsKeyAndWritesTheRest) {
    struct Case {
        const char* time_box;
        const char* stored_font;
        const char* minutes_after;
        const char* font_after;
    };
    for (const Case& c : {Case{"abc", "14", " 30", "14"}, Case{"", "0", " 30", "12"}, Case{"90", "-3", " 90", "12"},
                          Case{"7.5", "big", " 8", "12"}}) {
        SCOPED_TRACE(c.time_box);
        SettingsWorld w;
        w.settings.put(setting::timed_minutes, " 30");
        w.settings.put(setting::saved_font, c.stored_font);
        MenuChoices boxes;
        boxes.time_text = c.time_box;
        w.save(boxes);
        EXPECT_EQ(w.settings.get(setting::timed_minutes), c.minutes_after);
        EXPECT_EQ(w.settings.get(setting::saved_font), c.font_after);
        EXPECT_EQ(w.settings.get(setting::answer_when_wrong), " 1");
        EXPECT_EQ(w.settings.get(setting::savesettings), "saved");
    }
}

TEST(SettingsCommands, presetsSetTheirBoxesAndLeaveTheOthers) {
    WorkingSettings working;
    MenuChoices boxes;
    boxes.show_answer_count = false;
    boxes.radio_buttons = false;
    boxes.name_text = "KIM";
    boxes.time_text = "10";
    Command2_Click(boxes, working);
    MenuChoices test_mode = boxes;
    EXPECT_EQ(working.practice_mode, 0);
    EXPECT_TRUE(test_mode.timed_quiz);
    EXPECT_FALSE(test_mode.answer_when_wrong || test_mode.back_button || test_mode.live_scoring);
    EXPECT_EQ(test_mode.time_text, "75");
    restore_defaults_Click(boxes, working);
    EXPECT_EQ(working.practice_mode, -1);
    MenuChoices practice;  // designed states, except what the presets never touch
    practice.show_answer_count = false;
    practice.radio_buttons = false;
    practice.name_text = "KIM";
    EXPECT_EQ(boxes, practice);
}

}  // namespace
}  // namespace qd
