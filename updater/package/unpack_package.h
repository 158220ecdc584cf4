#pragma once
// Installs a package: writes every file of it below the target folder,
// creating sub-folders as needed. A new copy of the update utility itself is
// written as "<utility>.new" beside the running one, never over it, and the
// self-update flag tells the caller to start the swap helper afterwards.
//
// Entry names are untrusted. Before anything is written, every name is
// checked (no absolute, drive or device form, no "." or ".." parts, no NUL,
// and no way out of the target folder, also through a link already present
// there), no name may stand for one of the utility's own files in the program
// folder, and every file must have its contents; any fault stops the unpack
// through the failure report with nothing written.
#include <filesystem>
#include <string>

#include "updater/wizard_interfaces/update_failure_report.h"
#include "updater/wizard_interfaces/update_progress.h"

namespace qd {

struct UnpackServices {
    UpdateProgress& progress;
    UpdateFailureReport& failures;
    bool& self_update_flag;
    // The running utility's file name; a package name equal to it in any
    // letter case, without a folder part, is the new copy. Empty: no such rule.
    std::string utility_file_name;
    // The program folder: no entry may replace the utility's own files there
    // (its catalogues, its waiting new copy). Empty: no such rule.
    std::string program_folder;
};

// Failures are reported as a line break followed by their description;
// a folder that cannot be created as "Could not create directory" + folder.
void UnpackPackage(std::string target_folder, const std::filesystem::path& package_file, UnpackServices& services);

}  // namespace qd
