#include "updater/engine/get_updates_ini.h"

#include "platform/replace_file.h"
#include "updater/catalogue/catalogue_files.h"

namespace qd {

namespace {

constexpr std::string_view kCouldNotRetrieve = "Could not retrieve update list";

}  // namespace

ServerAddresses GetUpdatesINI(const std::filesystem::path& program_folder, Transfer& transfer, const DownloadTimes& times,
                              const std::function<void()>& between_steps, UpdateFailureReport& failures, const FileNotice& notice) {
    ServerAddresses addresses = read_server_addresses(program_folder);
    std::string catalogue;
    DownloadRules rules{.length_required = false, .most_bytes = kMostCatalogueBytes, .times = times};
    DownloadHandlers handlers{.on_head = nullptr,
                              .on_piece = [&](std::string_view piece, std::int64_t) { catalogue += piece; },
                              .between_steps = between_steps};
    try {
        download_whole(transfer, addresses.url + std::string(catalogue::kLocalFile), rules, handlers);
    } catch (const DownloadFault& fault) {
        failures.ReportUpdateFailure(std::string(kCouldNotRetrieve) + "\n" + fault.reason);
    }
    tell_of_planted_link(notice, program_folder / catalogue::kRemoteFile);
    if (auto fault = replace_file(program_folder / catalogue::kRemoteFile, catalogue))
        failures.ReportUpdateFailure(std::string(kCouldNotRetrieve) + "\n" + *fault);
    return addresses;
}

}  // namespace qd
