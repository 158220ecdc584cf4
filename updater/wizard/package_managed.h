#pragma once
// Whether this program folder belongs to the system's package manager. Such a
// folder (an installed program folder under /usr, or one this user cannot
// write) is updated through the package manager, never by the utility; a
// program folder unpacked into the user's own folders is updated as usual.
#include <filesystem>

namespace qd {

bool updated_through_package_manager(bool has_install_marker, const std::filesystem::path& program_folder, bool folder_writable);

// The same for the running program's folder.
bool updated_through_package_manager(const std::filesystem::path& program_folder);

inline constexpr const char* kPackageManagerNotice =
    "This installation is updated through the system's package manager. Use it to install updates of the "
    "NAVRA practice exams.";

}  // namespace qd
