#pragma once
// "Set as DEFAULT Screen Saver": records which exam and which program the
// drill screen shows, finds the screen-saver module `drill_screen`, and makes
// it the desktop screen saver's module where the screen saver accepts
// modules; otherwise tells the student how to start the drill screen by hand.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "state/user_settings.h"

namespace qd {

namespace setting {
inline const SettingKey which_test{kDrillApplication, "settings", "which_test", ""};
inline const SettingKey where_test{kDrillApplication, "settings", "where_test", ""};
}  // namespace setting

inline constexpr const char* kDrillScreenModule = "drill_screen";

struct ScreenSaverDesktop {
    std::string search_path;              // the program search path ($PATH)
    std::filesystem::path home;           // the user's home folder
    bool screen_saver_installed = false;  // the X screen saver's program is on the search path
};

// The module on the search path, else in the program folder; "" when neither has it.
std::string find_drill_screen_module(const std::string& search_path, const std::string& program_folder);

void set_drill_screen_as_screen_saver(UserSettings& settings, Dialogs& dialogs, const std::string& product_number,
                                      const std::string& program_folder, const ScreenSaverDesktop& desktop);

// The desktop as this process sees it.
ScreenSaverDesktop current_screen_saver_desktop();

}  // namespace qd
