// Times how long the main menu takes to appear after the start window's
// Start: from the click to the main menu's first paint, with the bank already
// loaded by the start-up. The first opening builds the window; later ones
// follow a quiz, which unloads the main menu, so each builds it afresh too.
//   main_menu_timing [ROUNDS]   (runs on Qt's offscreen platform unless told otherwise)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/event_counter.h"
#include "common/error_log.h"
#include "common/window_registry.h"
#include "platform/clock.h"
#include "platform/qt/qt_services.h"
#include "platform/random.h"
#include "platform/settings_store.h"
#include "setup/main_menu_window.h"
#include "shell/welcome_window.h"

namespace {

// Notes the moment the watched window is first painted.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && object->objectName() == "pick_a_quiz" && painted.value() == round) {
            elapsed_ns = timer.nsecsElapsed();
            painted.count();
        }
        return false;
    }
    QElapsedTimer timer;
    qd::bench::EventCounter painted;
    int round = 0;
    qint64 elapsed_ns = 0;
};

class NoEnd final : public qd::ProcessEnd {
public:
    void end_process() override {}
};

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    QApplication application(argc, argv);
    const QString folder = QDir::temp().filePath("quizdeck-main-menu-timing");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder + "/config");
    QDir::setCurrent(folder);

    qd::SystemClock clock;
    qd::ErrorLog log(clock);
    qd::IniSettingsStore store((folder + "/config").toStdString());
    qd::UserSettings settings(store);
    qd::QtDialogs dialogs;
    qd::QtShell shell;
    qd::QtScreen screen;
    qd::SystemRandom random;
    qd::WindowRegistry windows;
    NoEnd process_end;
    qd::ProgramState state;
    qd::ProgramServices services{state, settings, log, dialogs, shell, screen, windows, process_end};
    const qd::StartUpInputs inputs{QUIZDECK_STAGE_DIR, ""};
    windows.define(qd::kStartWindow, [&] { return qd::create_start_window(services, inputs); });
    windows.define(qd::kMainMenu, [&] { return qd::create_main_menu(services, random, clock); });
    windows.load(qd::kStartWindow);
    QApplication::processEvents();

    FirstPaint watch;
    application.installEventFilter(&watch);
    std::vector<double> milliseconds;
    for (int round = 0; round < rounds; ++round) {
        windows.show(qd::kStartWindow);
        QApplication::processEvents();
        watch.round = round;
        watch.timer.start();
        windows.get<qd::StartWindowOperations>(qd::kStartWindow).start_quiz_click_sub();
        if (!watch.painted.wait_for(round + 1, 5000)) return 1;
        milliseconds.push_back(static_cast<double>(watch.elapsed_ns) / 1e6);
        windows.unload(qd::kMainMenu);  // as at the end of a quiz
        QApplication::processEvents();
    }
    std::printf("first opening: %.1f ms\n", milliseconds.front());
    std::sort(milliseconds.begin() + 1, milliseconds.end());
    if (rounds > 1)
        std::printf("later openings (%d): median %.1f ms, slowest %.1f ms\n", rounds - 1,
                    milliseconds[static_cast<std::size_t>(rounds / 2)], milliseconds.back());
    return 0;
}
