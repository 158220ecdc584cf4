#pragma once
// The desktop screen saver's per-user settings file (the X screen saver's
// "~/.xscreensaver"): its "programs:" list of modules, one per "\n"-ended
// entry over backslash-continued lines, and the "mode:" and "selected:" lines
// that choose the one module to run.
#include <filesystem>
#include <optional>
#include <string>

namespace qd {

// The settings text with the drill-screen module in the list (added once; a
// disabled entry of it is enabled again) and chosen as the only module to run.
// Every other line is kept as it was.
std::string with_drill_screen_module(const std::string& settings_text, const std::string& module_path);

// Edits the file whole or not at all; a missing file is created. Returns why
// it failed, or nothing.
std::optional<std::string> register_drill_screen_module(const std::filesystem::path& settings_file, const std::string& module_path);

}  // namespace qd
