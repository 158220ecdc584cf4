#pragma once
// The program's state and the services around it, in a fresh temporary
// folder, as window and start-up tests need them.
#include "common/error_log.h"
#include "common/window_registry.h"
#include "platform/settings_store.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "setup/user_settings.h"
#include "shell/program_state.h"
#include "temp_folder.h"

namespace qd::testing {

struct ProgramWorld {
    TempFolder folder;
    FixedClock clock{"D"};
    ErrorLog log{clock};
    IniSettingsStore store{folder / "config"};
    UserSettings settings{store};
    ProgramState state;
    ScriptedDialogs dialogs;
    WindowRegistry windows;
};

}  // namespace qd::testing
