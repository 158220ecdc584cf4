#include "flashcards/screen_saver_registration.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "common/guarded_steps.h"
#include "flashcards/screensaver_settings.h"

namespace qd {

namespace {
namespace fs = std::filesystem;

bool is_program(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

std::string on_search_path(const std::string& search_path, const std::string& name) {
    std::istringstream folders(search_path);
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && is_program(fs::path(folder) / name)) return (fs::path(folder) / name).string();
    return {};
}

std::string with_slash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}
}  // namespace

std::string find_drill_screen_module(const std::string& search_path, const std::string& program_folder) {
    if (std::string found = on_search_path(search_path, kDrillScreenModule); !found.empty()) return found;
    const fs::path beside = fs::path(with_slash(program_folder)) / kDrillScreenModule;
    return is_program(beside) ? beside.string() : std::string();
}

void set_drill_screen_as_screen_saver(UserSettings& settings, Dialogs& dialogs, const std::string& product_number,
                                      const std::string& program_folder, const ScreenSaverDesktop& desktop) {
    const std::string program = with_slash(program_folder) + "quizdeck";
    silent_step([&] { settings.put(setting::which_test, product_number); });
    silent_step([&] { settings.put(setting::where_test, program); });
    const std::string module = find_drill_screen_module(desktop.search_path, program_folder);
    const fs::path settings_file = desktop.home / ".xscreensaver";
    std::error_code error;
    const bool accepts_modules = desktop.screen_saver_installed || fs::exists(settings_file, error);
    const std::string by_hand = "To show the drill screen at any time, run:\n\n    " + program + " aaaa";
    if (module.empty() || !accepts_modules) {
        const std::string why = module.empty() ? "The screen-saver module \"drill_screen\" was not found beside the program."
                                               : "No screen saver that runs added modules was found on this desktop.";
        silent_step([&] { dialogs.message(why + "\n\n" + by_hand, "Drill Screen", DialogButtons::ok, DialogIcon::information); });
        return;
    }
    if (auto failure = register_drill_screen_module(settings_file, module)) {
        silent_step([&] {
            dialogs.message("The screen saver's settings could not be changed: " + *failure + "\n\n" + by_hand, "Drill Screen",
                            DialogButtons::ok, DialogIcon::warning);
        });
        return;
    }
    silent_step([&] {
        dialogs.message("The drill screen is now your screen saver.", "Drill Screen", DialogButtons::ok, DialogIcon::information);
    });
}

ScreenSaverDesktop current_screen_saver_desktop() {
    ScreenSaverDesktop desktop;
    if (const char* path = std::getenv("PATH")) desktop.search_path = path;
    if (const char* home = std::getenv("HOME")) desktop.home = home;
    desktop.screen_saver_installed = !on_search_path(desktop.search_path, "xscreensaver").empty();
    return desktop;
}

}  // namespace qd
