#include "updater/wizard/package_managed.h"

#include <unistd.h>

namespace qd {

bool updated_through_package_manager(bool has_install_marker, const std::filesystem::path& program_folder, bool folder_writable) {
    if (!has_install_marker) return false;
    const std::string folder = program_folder.lexically_normal().string();
    return !folder_writable || folder.rfind("/usr/", 0) == 0;
}

bool updated_through_package_manager(const std::filesystem::path& program_folder) {
    std::error_code error;
    const bool marker = std::filesystem::exists(program_folder / "quizdeck.install", error);
    return updated_through_package_manager(marker, program_folder, ::access(program_folder.c_str(), W_OK) == 0);
}

}  // namespace qd
