#include "updater/catalogue/server_addresses.h"

#include "platform/ini_file.h"
#include "updater/catalogue/catalogue_files.h"

namespace qd {

ServerAddresses read_server_addresses(const std::filesystem::path& program_folder) {
    IniFile local(program_folder / catalogue::kLocalFile);
    return {local.get_string("general", "url", catalogue::kNoUrl, catalogue::kValueBuffer),
            local.get_string("general", "manualurl", catalogue::kManualDownloadPage, catalogue::kValueBuffer)};
}

}  // namespace qd
