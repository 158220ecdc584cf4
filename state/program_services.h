#pragma once
// The services the exam program's windows use, handed to each window.
#include "common/error_log.h"
#include "common/module1.h"
#include "common/window_registry.h"
#include "platform/browser.h"
#include "platform/dialogs.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "state/program_state.h"
#include "state/study_recorder.h"
#include "state/user_settings.h"

namespace qd {

struct ProgramServices {
    ProgramState& state;
    UserSettings& settings;
    const ErrorLog& log;
    Dialogs& dialogs;
    Shell& shell;
    const Screen& screen;
    WindowRegistry& windows;
    ProcessEnd& process_end;
    // The embedded browsers' source; warm it up while the main menu is open.
    BrowserFactory* browsers = nullptr;
    // The student's study record; nothing where no record is kept.
    StudyRecorder* recorder = nullptr;
};

}  // namespace qd
