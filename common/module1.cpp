#include "common/module1.h"

#include <cmath>
#include <filesystem>

#include "common/guarded_steps.h"
#include "platform/ini_file.h"
#include "platform/text_forms.h"

namespace qd {

void shell_open(Shell& shell, const std::string& document, ShowMode mode) {
    silent_step([&] { shell.open(document, mode); });
}

std::string help_document(const std::string& program_folder) {
    std::error_code error;
    if (std::filesystem::exists(kHelpFile, error) || program_folder.empty()) return kHelpFile;
    return program_folder + kHelpFile;
}

WindowPosition centered_position(const Screen& screen, int window_width_twips, int window_height_twips) {
    return {(screen.width_twips() - window_width_twips) / 2, (screen.height_twips() - window_height_twips) / 2};
}

void center_form(ManagedWindow& window, const Screen& screen) {
    WindowPosition position = centered_position(screen, window.width_twips(), window.height_twips());
    window.move_to_twips(position.left, position.top);
}

void quit_program(WindowRegistry& windows, ProcessEnd& process_end) {
    if (!process_end.begin_quit()) return;
    for (const char* name :
         {kAboutWindow, kExhibitWindow, kResultsWindow, kMainMenu, kQuizWindow, kFlashCardWindow, kExplanationWindow, kStartWindow})
        silent_step([&] { windows.unload(name); });
    process_end.end_process();
}

void return_to_main_menu(WindowRegistry& windows) {
    silent_step([&] { windows.hide(kStartWindow); });
    silent_step([&] { windows.get<StartWindowOperations>(kStartWindow).start_quiz_click_sub(); });
}

std::string read_ini_value(const std::string& section, const std::string& key, const std::string& ini_path) {
    constexpr std::size_t kBuffer = 60;
    std::string value = IniFile(ini_path).get_string(section, key, ini_path, kBuffer);
    if (value.empty()) return {};
    value = std::string(trim_blanks(value));
    return value.substr(0, value.find('\0'));
}

std::string out_ini_path(const std::string& program_folder) {
    if (program_folder.empty()) return "out.ini";  // the working folder
    std::string folder = program_folder;
    if (!folder.empty() && folder.back() == '/') folder.pop_back();
    return folder + "/out.ini";
}

std::string read_out_ini(const std::string& program_folder, const std::string& section, const std::string& key) {
    return read_ini_value(section, key, out_ini_path(program_folder));
}

void close_windows_titled(TopWindows& top_windows, const std::string& text) {
    for (const TopWindow& window : top_windows.list()) {
        std::string title = window.title.substr(0, 256);
        if (title.find(text) != std::string::npos) silent_step([&] { top_windows.request_close(window.id); });
    }
}

int list_extent_pixels(const std::vector<std::string>& entries, const std::function<double(const std::string&)>& measure_twips,
                       int twips_per_pixel) {
    std::string longest;
    for (const auto& entry : entries)
        if (entry.size() > longest.size()) longest = entry;
    const long long twips = round_half_even(measure_twips(longest + " "));
    return twips_per_pixel > 0 ? static_cast<int>(twips / twips_per_pixel) : 0;
}

}  // namespace qd
