#pragma once
// Records one product whose files have just been unpacked: its remote entry
// is written into the local catalogue "updates.ini" of the program folder,
// into every local section of the same name, or as a new section numbered
// one above the old product count when the product was not listed.
#include <filesystem>

#include "updater/catalogue/catalogue_lists.h"
#include "updater/wizard_interfaces/update_failure_report.h"

namespace qd {

// `lists` are the lists as Read_Updates_Ini returned them at the start of the
// run. A failure to add a new section is reported as "Error Updating INI
// File"; failed writes into existing sections are ignored, as the product is
// then merely offered again by the next run.
void RecordInstalledProduct(const std::filesystem::path& program_folder, const CatalogueLists& lists, const ProductEntry& installed,
                            UpdateFailureReport& failures);

}  // namespace qd
