#include "shell/working_folder.h"

#include <cstdlib>
#include <system_error>

namespace qd {

namespace fs = std::filesystem;

std::optional<fs::path> per_user_working_folder(const fs::path& program_folder, const EnvironmentLookup& environment) {
    std::error_code error;
    if (!fs::exists(program_folder / kInstallMarker, error)) return std::nullopt;
    if (auto data_home = environment("XDG_DATA_HOME"); data_home && fs::path(*data_home).is_absolute())
        return fs::path(*data_home) / "quizdeck";
    if (auto home = environment("HOME"); home && !home->empty()) return fs::path(*home) / ".local" / "share" / "quizdeck";
    return std::nullopt;
}

std::optional<std::string> enter_working_folder(const fs::path& program_folder, const EnvironmentLookup& environment) {
    const auto folder = per_user_working_folder(program_folder, environment);
    if (!folder) return std::nullopt;
    std::error_code error;
    if (!fs::is_directory(*folder, error)) {
        fs::create_directories(folder->parent_path(), error);
        if (!fs::create_directory(*folder, error) && !fs::is_directory(*folder))
            return "cannot create " + folder->string() + ": " + error.message();
        fs::permissions(*folder, fs::perms::owner_all, fs::perm_options::replace, error);
    }
    fs::current_path(*folder, error);
    if (error) return "cannot work in " + folder->string() + ": " + error.message();
    return std::nullopt;
}

std::optional<std::string> process_environment(const std::string& name) {
    if (const char* value = std::getenv(name.c_str())) return std::string(value);
    return std::nullopt;
}

}  // namespace qd
