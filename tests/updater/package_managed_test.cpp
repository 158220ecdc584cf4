#include <gtest/gtest.h>

#include "updater/wizard/package_managed.h"

namespace qd {
namespace {

TEST(PackageManagedInstall, onlyAnInstalledFolderOfTheSystemOrOneWeCannotWriteIsLeftToThePackageManager) {
    struct Case {
        const char* name;
        bool marker;
        const char* folder;
        bool writable;
        bool package_managed;
    } cases[] = {
        {"build folder", false, "/usr/src/quizdeck/build/stage/", true, false},
        {"package under /usr, even for a user who may write it", true, "/usr/lib/quizdeck/", true, true},
        {"installed folder this user cannot write", true, "/opt/quizdeck/lib/quizdeck/", false, true},
        {"tarball in the user's home", true, "/home/alex/quizdeck/lib/quizdeck/", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(updated_through_package_manager(c.marker, c.folder, c.writable), c.package_managed);
    }
}

}  // namespace
}  // namespace qd
