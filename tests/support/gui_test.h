#pragma once
// One QApplication for a GUI test program, on the offscreen platform unless
// the environment names another (for looking at windows under Xvfb).
#include <QApplication>
#include <cstdlib>

namespace qd::testing {

inline QApplication& gui_application() {
    static int argc = 1;
    static char name[] = "quizdeck-test";
    static char* argv[] = {name, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) return *existing;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return *new QApplication(argc, argv);
}

}  // namespace qd::testing
