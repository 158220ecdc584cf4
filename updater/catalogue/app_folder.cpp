#include "updater/catalogue/app_folder.h"

#include <filesystem>

namespace qd {

std::string AppFolder(std::string folder) {
    if (!folder.ends_with('/')) folder += '/';
    return folder;
}

std::string running_program_folder() {
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return AppFolder(std::filesystem::current_path().string());
    return AppFolder(executable.parent_path().string());
}

}  // namespace qd
