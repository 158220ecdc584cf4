#pragma once
// Fetches the server's catalogue into "updates.temp.ini" of the program
// folder. The addresses come from the local catalogue only.
#include <filesystem>
#include <functional>

#include "platform/file_for_writing.h"
#include "platform/transfer.h"
#include "updater/catalogue/server_addresses.h"
#include "updater/engine/whole_download.h"
#include "updater/wizard_interfaces/update_failure_report.h"

namespace qd {

// No catalogue of this product line comes near this size (a thousand
// products take some 150 KB); a larger answer is refused rather than held.
inline constexpr std::int64_t kMostCatalogueBytes = 1 << 20;

// Returns "url" and "manualurl" for the rest of the run. Any failure is
// reported as "Could not retrieve update list" with the reason on a second
// line; the saved catalogue is then unchanged. A link in the place of
// "updates.temp.ini" is replaced, and `notice` hears of it.
ServerAddresses GetUpdatesINI(const std::filesystem::path& program_folder, Transfer& transfer, const DownloadTimes& times,
                              const std::function<void()>& between_steps, UpdateFailureReport& failures,
                              const FileNotice& notice = {});

}  // namespace qd
