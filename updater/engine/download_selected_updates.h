#pragma once
// Installs the products ticked in the update grid: first every one is
// downloaded, then one by one decoded, unpacked into its folder and recorded
// in the local catalogue. Closing messages, and the swap helper when the
// utility itself was among the files.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/dialogs.h"
#include "platform/file_for_writing.h"
#include "platform/program_starter.h"
#include "platform/transfer.h"
#include "updater/catalogue/catalogue_lists.h"
#include "updater/catalogue/server_addresses.h"
#include "updater/codec/cls_huffman.h"
#include "updater/engine/whole_download.h"
#include "updater/wizard_interfaces/update_display.h"
#include "updater/wizard_interfaces/update_failure_report.h"

namespace qd {

// The state of one run of the utility.
struct UpdateRun {
    std::string program_folder;  // with its trailing "/"
    ServerAddresses addresses;
    CatalogueLists lists;
    bool self_update_flag = false;
    std::string utility_file_name = "updates";
};

struct EngineServices {
    Transfer& transfer;
    UpdateDisplay& display;
    UpdateFailureReport& failures;
    Dialogs& dialogs;
    ProgramStarter& starter;
    clsHuffman& codec;  // its Progress handler shows the decoding
    // CheckRunningApplications: false when the user keeps one open.
    std::function<bool()> running_applications_closed;
    DownloadTimes times;
    // Hears of a link found in the place of the local catalogue or the download folder.
    FileNotice notice = {};
};

// A catalogue size is whole kilobytes rounded up; a download may exceed it by
// this much before it is refused (a catalogue written by hand may round).
inline constexpr std::int64_t kSizeMargin = 1024;

// A catalogue may leave "size" out (it reads as 0): such a download is bounded
// by this generous limit instead, and by the server's Content-Length.
inline constexpr std::int64_t kUnsizedDownloadLimit = std::int64_t{2} << 30;

// The largest download the catalogue entry allows.
std::int64_t most_download_bytes(const ProductEntry& entry);

// Downloads and packages wait in this folder of the program folder, never
// beside the product's files: a package may hold a file named like its own
// download. The ":" keeps it apart from every unpacked file, since the
// unpacker refuses names with a ":".
inline constexpr const char* kDownloadFolder = "updates:downloads/";

// Every failure ends in the failure report: "No updates were selected from
// the list", "Cannot complete updates while other Palvera Press applications
// are running", a folder that cannot be written, "Error Downloading Updates"
// (a download that is not whole, too large, or whose SHA-256 differs from the
// catalogue's), "Error Decompressing " + package, and the unpacker's and
// catalogue's own. Products installed before a failure stay installed and
// recorded; the failing one is not recorded.
void DownloadSelectedUpdates(UpdateRun& run, EngineServices& services);

}  // namespace qd
