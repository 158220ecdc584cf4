#pragma once
// What the update wizard needs from outside: the transfer service, message
// boxes, the shell, program start, the desktop's windows, and the end of the
// process (which must not return).
#include <functional>
#include <string>

#include "platform/dialogs.h"
#include "platform/file_for_writing.h"
#include "platform/program_starter.h"
#include "platform/shell.h"
#include "platform/top_windows.h"
#include "platform/transfer.h"
#include "updater/engine/whole_download.h"

namespace qd {

struct WizardServices {
    Transfer& transfer;
    Dialogs& dialogs;
    Shell& shell;
    ProgramStarter& starter;
    TopWindows& top_windows;
    std::function<void(int status)> end_process;
    std::string program_folder;  // with its trailing "/"
    DownloadTimes times;
    // Hears of a link found in the place of a file the utility writes.
    FileNotice notice = {};
};

// The status the process ends with: a closed window, or a failure report.
inline constexpr int kEndedByUser = 0;
inline constexpr int kEndedByFailure = 1;

}  // namespace qd
