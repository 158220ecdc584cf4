#include <gtest/gtest.h>

#include "platform/failure.h"
#include "state/user_settings.h"
#include "temp_folder.h"

namespace qd {
namespace {

TEST(UserSettings, keysReadTheirDefaultsUntilStored) {
    testing::TempFolder folder;
    IniSettingsStore store(folder / "config");
    UserSettings settings(store);
    struct Case {
        SettingKey key;
        const char* default_value;
    };
    for (const Case& c : std::initializer_list<Case>{{setting::radio, "1"},
                                                     {setting::saved_font, "12"},
                                                     {setting::saved_font_name, "Times New Roman"},
                                                     {setting::put_answer, "top"},
                                                     {setting::mail_type, "outlook"},
                                                     {setting::student_name, "STUDENT"},
                                                     {setting::embed_media_player, "0"},
                                                     {setting::show_answer_count, ""},
                                                     {setting::email, ""},
                                                     {setting::num_times("41517"), "0"},
                                                     {setting::survey_done("41517"), "no"},
                                                     {setting::answer_speed, "3"}}) {
        SCOPED_TRACE(c.key.key);
        EXPECT_EQ(settings.get(c.key), c.default_value);
    }
    settings.put(setting::num_times("41517"), "4");
    EXPECT_EQ(settings.get(setting::num_times("41517")), "4");
    EXPECT_EQ(settings.get(setting::num_times("41518")), "0");  // each exam counts on its own
    EXPECT_EQ(settings.get(kProductApplication, "41517", "num_times", "x"), "4");
}

TEST(UserSettings, putThatCannotBeStoredIsAFailureAndKeepsTheOldValue) {
    testing::TempFolder folder;
    testing::write_file(folder / "blocked", "not a folder");
    IniSettingsStore store(folder / "blocked" / "config");
    UserSettings settings(store);
    EXPECT_THROW(settings.put(setting::email, "a@b.c"), Failure);
    EXPECT_EQ(settings.get(setting::email), "");
}

}  // namespace
}  // namespace qd
