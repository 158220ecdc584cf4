#pragma once
// Reads the local catalogue ("updates.ini") and the remote one that the
// catalogue fetch saved ("updates.temp.ini"), both in the program folder,
// marks the remote products that are installed with an equal or higher
// version, and lists the others as offered, in remote order.
//
// Failures go to the failure report and do not return: a missing local
// catalogue, a remote catalogue without a product count (after the message
// "Error retrieving updates"), and every damaged value ("Error Reading INI
// File"), which includes an offered product whose name or folder would put
// files outside the program folder.
#include <filesystem>

#include "updater/catalogue/catalogue_lists.h"
#include "updater/wizard_interfaces/update_failure_report.h"

namespace qd {

CatalogueLists Read_Updates_Ini(const std::filesystem::path& program_folder, UpdateFailureReport& failures);

}  // namespace qd
