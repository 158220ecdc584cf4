#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "flashcards/screen_saver_registration.h"
#include "platform/settings_store.h"
#include "platform/testing/scripted_dialogs.h"
#include "temp_folder.h"

namespace qd {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::write_file;

void make_program(const fs::path& file, const std::string& script = "#!/bin/sh\n") {
    fs::create_directories(file.parent_path());
    write_file(file, script);
    fs::permissions(file, fs::perms::owner_all);
}

TEST(ScreenSaverRegistration, storesTheExamAndProgramThenRegistersOrExplains) {
    struct Case {
        const char* name;
        bool module_on_search_path;
        bool screen_saver_installed;
        const char* message;
    } cases[] = {
        {"registered", true, true, "The drill screen is now your screen saver."},
        {"no screen saver", true, false,
         "No screen saver that runs added modules was found on this desktop.\n\nTo show the drill screen at any time, run:\n\n"
         "    /opt/qd/quizdeck aaaa"},
        {"no module", false, true,
         "The screen-saver module \"drill_screen\" was not found beside the program.\n\nTo show the drill screen at any time, "
         "run:\n\n"
         "    /opt/qd/quizdeck aaaa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempFolder folder;
        IniSettingsStore store{folder / "config"};
        UserSettings settings{store};
        testing::ScriptedDialogs dialogs;
        if (c.module_on_search_path) make_program(folder / "bin" / "drill_screen");
        dialogs.expect_message(c.message, "Drill Screen");
        ScreenSaverDesktop desktop{(folder / "bin").string(), folder.path(), c.screen_saver_installed};
        set_drill_screen_as_screen_saver(settings, dialogs, "41518", "/opt/qd", desktop);
        EXPECT_EQ(settings.get(setting::which_test), "41518");
        EXPECT_EQ(settings.get(setting::where_test), "/opt/qd/quizdeck");
        const bool registered = c.module_on_search_path && c.screen_saver_installed;
        EXPECT_EQ(read_file(folder / ".xscreensaver").find((folder / "bin" / "drill_screen").string()) != std::string::npos,
                  registered);
    }
}

TEST(ScreenSaverRegistration, findsTheModuleOnTheSearchPathFirst) {
    testing::TempFolder folder;
    make_program(folder / "bin" / "drill_screen");
    make_program(folder / "opt" / "drill_screen");
    const std::string search_path = "/nonexistent:" + (folder / "bin").string();
    EXPECT_EQ(find_drill_screen_module(search_path, (folder / "opt").string()), (folder / "bin" / "drill_screen").string());
    EXPECT_EQ(find_drill_screen_module("", (folder / "opt").string()), (folder / "opt" / "drill_screen").string());
    EXPECT_EQ(find_drill_screen_module("", (folder / "none").string()), "");
}

TEST(ScreenSaverRegistration, theModuleStartsTheRecordedProgramAsTheDrillScreen) {
    testing::TempFolder folder;
    make_program(folder / "exam", "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/started\"\n");
    IniSettingsStore store{folder / "config"};
    UserSettings settings{store};
    settings.put(setting::where_test, (folder / "exam").string());
    const std::string command = "QUIZDECK_CONFIG_DIR='" + (folder / "config").string() + "' sh '" + QUIZDECK_SOURCE_DIR +
                                "/flashcards/drill_screen'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(read_file(folder / "started"), "aaaa\n");
}

}  // namespace
}  // namespace qd
