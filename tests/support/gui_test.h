#pragma once
// One QApplication for a GUI test program, on the offscreen platform unless
// the environment names another (for looking at windows under Xvfb).
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace qd::testing {

inline QApplication& gui_application() {
    static int argc = 1;
    static char name[] = "quizdeck-test";
    static char* argv[] = {name, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) return *existing;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Test programs run side by side: each gets caches, data and runtime
    // folders of its own, so two web engines never share a profile's files.
    static std::string own = (std::filesystem::temp_directory_path() / "quizdeck-gui-XXXXXX").string();
    if (::mkdtemp(own.data())) {
        for (const char* variable : {"XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
            const auto folder = std::filesystem::path(own) / variable;
            std::filesystem::create_directories(folder);
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
            ::setenv(variable, folder.c_str(), 1);
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(own, ignored);
        });
    }
    return *new QApplication(argc, argv);
}

}  // namespace qd::testing
