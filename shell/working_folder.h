#pragma once
// The folder the exam program works in. Started from the build's program
// folder it works where it was started (the product's shortcut starts it in
// the program folder). An installed program folder is shared and read-only,
// so there each user works in a folder of their own: $XDG_DATA_HOME/quizdeck
// (else ~/.local/share/quizdeck), created on first use for the owner alone.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace qd {

// The file an installation puts into its program folder.
inline constexpr const char* kInstallMarker = "quizdeck.install";

using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The per-user folder of an installed program; nothing for a program folder
// without the install marker.
std::optional<std::filesystem::path> per_user_working_folder(const std::filesystem::path& program_folder,
                                                             const EnvironmentLookup& environment);

// Creates the per-user folder (owner-only) when needed and makes it the
// current folder. Returns why that failed, or nothing; on failure the current
// folder is unchanged.
std::optional<std::string> enter_working_folder(const std::filesystem::path& program_folder, const EnvironmentLookup& environment);

// The process's own environment.
std::optional<std::string> process_environment(const std::string& name);

}  // namespace qd
