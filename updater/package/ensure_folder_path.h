#pragma once
#include <string>

#include "updater/wizard_interfaces/update_failure_report.h"

namespace qd {

// Creates every missing folder along `folder`, outer first. A failure (also a
// file standing where a folder belongs) is reported as "Could not create
// directory" immediately followed by the folder with its trailing "/".
void EnsureFolderPath(std::string folder, UpdateFailureReport& failures);

}  // namespace qd
