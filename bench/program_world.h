#pragma once
// The program's state and the services around it, in a fresh working folder,
// as a benchmark of a window needs them. The web engine's browsers, for the
// windows that show pages, come from a factory made before the world, so that
// it outlives every page.
#include <QCoreApplication>
#include <QEvent>
#include <string>

#include "common/error_log.h"
#include "common/window_registry.h"
#include "platform/settings_store.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "state/program_services.h"
#include "state/program_state.h"
#include "state/user_settings.h"
#include "work_folder.h"

namespace qd::bench {

struct NoProcessEnd final : ProcessEnd {
    void end_process() override {}
};

// Deletes, as it goes, what was put off to the event loop: an unloaded
// window's widget, and with it its browser page. The loop does not run again
// at exit, and a page left over would outlive the web engine's profile.
struct PutOffDeletions {
    ~PutOffDeletions() {
        if (QCoreApplication::instance()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

struct ProgramWorld {
    explicit ProgramWorld(const std::string& folder_name, BrowserFactory* browsers = nullptr) : folder(folder_name) {
        services.browsers = browsers;
    }

    WorkFolder folder;
    testing::FixedClock clock;
    ErrorLog log{clock};
    IniSettingsStore store{folder.path() / "config"};
    UserSettings settings{store};
    ProgramState state;
    testing::ScriptedDialogs dialogs;
    testing::RecordingShell shell;
    testing::FixedScreen screen;
    NoProcessEnd process_end;
    PutOffDeletions put_off_deletions;  // goes after the windows
    WindowRegistry windows;
    ProgramServices services{state, settings, log, dialogs, shell, screen, windows, process_end};
};

}  // namespace qd::bench
