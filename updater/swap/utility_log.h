#pragma once
// "u2.log" in the program folder: one dated line for each thing the update
// utility or its swap helper could not do or found amiss, since nobody may
// be watching the terminal.
#include <filesystem>
#include <string_view>

namespace qd {

inline constexpr const char* kUtilityLogFile = "u2.log";

// Appends "<date time> <line>" and CR LF; a log that cannot be written is passed over.
void append_to_utility_log(const std::filesystem::path& program_folder, std::string_view line);

}  // namespace qd
