#include "updater/package/ensure_folder_path.h"

#include <filesystem>

namespace qd {

void EnsureFolderPath(std::string folder, UpdateFailureReport& failures) {
    namespace fs = std::filesystem;
    if (!folder.ends_with('/')) folder += '/';
    for (std::size_t slash = folder.find('/'); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
        fs::path step = folder.substr(0, slash + 1);
        std::error_code error;
        if (fs::is_directory(step, error)) continue;
        if (fs::exists(fs::symlink_status(step, error)) || !fs::create_directory(step, error) || error)
            failures.ReportUpdateFailure("Could not create directory" + folder);
    }
}

}  // namespace qd
