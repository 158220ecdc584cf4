#include <gtest/gtest.h>

#include <map>

#include "shell/working_folder.h"
#include "temp_folder.h"

namespace qd {
namespace {

namespace fs = std::filesystem;

EnvironmentLookup environment_of(std::map<std::string, std::string> values) {
    return [values](const std::string& name) -> std::optional<std::string> {
        auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
}

TEST(WorkingFolder, onlyAnInstalledProgramWorksInAPerUserFolder) {
    testing::TempFolder folder;
    const fs::path program = folder / "lib";
    fs::create_directory(program);
    const auto home = (folder / "home").string();
    EXPECT_EQ(per_user_working_folder(program, environment_of({{"HOME", home}})), std::nullopt) << "build folder";

    testing::write_file(program / kInstallMarker, "");
    struct Case {
        const char* name;
        std::map<std::string, std::string> environment;
        std::optional<fs::path> folder;
    } cases[] = {
        {"data home", {{"XDG_DATA_HOME", "/data"}, {"HOME", home}}, fs::path("/data/quizdeck")},
        {"relative data home is ignored", {{"XDG_DATA_HOME", "data"}, {"HOME", home}}, fs::path(home) / ".local/share/quizdeck"},
        {"home only", {{"HOME", home}}, fs::path(home) / ".local/share/quizdeck"},
        {"neither", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(per_user_working_folder(program, environment_of(c.environment)), c.folder);
    }
}

TEST(WorkingFolder, entersAnOwnerOnlyFolderOrSaysWhyNot) {
    testing::TempFolder folder;
    const fs::path program = folder / "lib";
    fs::create_directory(program);
    testing::write_file(program / kInstallMarker, "");
    const fs::path data = folder / "data";
    ASSERT_EQ(enter_working_folder(program, environment_of({{"XDG_DATA_HOME", data.string()}})), std::nullopt);
    EXPECT_EQ(fs::current_path(), data / "quizdeck");
    EXPECT_EQ(fs::status(data / "quizdeck").permissions() & fs::perms::all, fs::perms::owner_all);

    testing::write_file(folder / "file", "");  // a file where the folder's parent should be
    const fs::path before = fs::current_path();
    EXPECT_NE(enter_working_folder(program, environment_of({{"XDG_DATA_HOME", (folder / "file").string()}})), std::nullopt);
    EXPECT_EQ(fs::current_path(), before);
}

}  // namespace
}  // namespace qd
