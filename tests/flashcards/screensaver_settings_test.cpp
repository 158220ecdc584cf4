#include <gtest/gtest.h>

#include "flashcards/screensaver_settings.h"
#include "temp_folder.h"

namespace qd {
namespace {

const std::string kModule = "/opt/quizdeck/drill_screen";

const std::string kSettings =
    "# the user's settings\n"
    "timeout:\t0:10:00\n"
    "mode:\t\trandom\n"
    "selected:\t-1\n"
    "programs:\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
    "-\t\t\t\tflame -root\t\t\t\t    \\n\\\n"
    "\t\t\t\t\t\t\t\t      \n"
    "lock:\t\tFalse\n";

TEST(ScreenSaverSettings, addsTheModuleOnceSelectsItAndKeepsEveryOtherLine) {
    const std::string once = with_drill_screen_module(kSettings, kModule);
    EXPECT_EQ(once,
              "# the user's settings\n"
              "timeout:\t0:10:00\n"
              "mode:\t\tone\n"
              "selected:\t2\n"
              "programs:\t\t\t\t\t\t\t      \\\n"
              "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
              "-\t\t\t\tflame -root\t\t\t\t    \\n\\\n"
              "  \"Drill screen\"  /opt/quizdeck/drill_screen \\n\\\n"
              "\t\t\t\t\t\t\t\t      \n"
              "lock:\t\tFalse\n");
    EXPECT_EQ(with_drill_screen_module(once, kModule), once) << "a second registration changes nothing";
}

TEST(ScreenSaverSettings, aDisabledEntryIsEnabledAndAMissingFileIsCreated) {
    const std::string disabled = "programs: \\\n-  \"Drill screen\"  /opt/quizdeck/drill_screen \\n\\\n  maze -root \\n\n";
    const std::string result = with_drill_screen_module(disabled, kModule);
    EXPECT_NE(result.find("   \"Drill screen\"  /opt/quizdeck/drill_screen"), std::string::npos) << result;
    EXPECT_NE(result.find("selected:\t0\n"), std::string::npos);

    testing::TempFolder folder;
    ASSERT_FALSE(register_drill_screen_module(folder / ".xscreensaver", kModule).has_value());
    EXPECT_EQ(testing::read_file(folder / ".xscreensaver"), with_drill_screen_module("", kModule));
    EXPECT_TRUE(register_drill_screen_module(folder / "missing" / ".xscreensaver", kModule).has_value());
}

}  // namespace
}  // namespace qd
