#pragma once
// The program's state and the services around it, in a fresh temporary
// folder, as window and start-up tests need them.
#include "common/error_log.h"
#include "common/guarded_steps.h"
#include "common/window_registry.h"
#include "platform/settings_store.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "state/program_services.h"
#include "state/program_state.h"
#include "state/user_settings.h"
#include "temp_folder.h"

namespace qd::testing {

// A process end that only counts the requests, so the test outlives "Exit".
struct CountingProcessEnd final : ProcessEnd {
    void end_process() override { ++ends; }
    int ends = 0;
};

struct ProgramWorld {
    TempFolder folder;
    FixedClock clock{"D"};
    ErrorLog log{clock};
    IniSettingsStore store{folder / "config", log.notices_for(guard::settings_files.handler, guard::settings_files.source)};
    UserSettings settings{store};
    ProgramState state;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    FixedScreen screen;
    CountingProcessEnd process_end;
    WindowRegistry windows;  // after what its windows use, so it goes first
    ProgramServices services{state, settings, log, dialogs, shell, screen, windows, process_end};
};

}  // namespace qd::testing
