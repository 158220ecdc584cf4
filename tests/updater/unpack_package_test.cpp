#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "folder_snapshot.h"
#include "package_test_files.h"
#include "temp_folder.h"
#include "update_doubles.h"
#include "updater/package/ensure_folder_path.h"
#include "updater/package/unpack_package.h"

namespace {

namespace fs = std::filesystem;
using qd::testing::package_record;
using qd::testing::PackageFiles;
using qd::testing::read_file;
using qd::testing::RecordingProgress;
using qd::testing::reported_by;
using qd::testing::snapshot;
using qd::testing::TempFolder;
using qd::testing::ThrowingFailureReport;
using qd::testing::write_file;
using qd::testing::write_package;

// A program folder with an installed catalogue and file, and a package beside it.
class UnpackPackageTest : public ::testing::Test {
protected:
    UnpackPackageTest() {
        fs::create_directory(program_folder());
        write_file(program_folder() / "updates.ini", "[general]\r\nnumberofproducts=0\r\n");
        write_file(program_folder() / "q_bottom.ini", "old contents that are longer");
    }

    fs::path program_folder() const { return folder_ / "program"; }
    fs::path package_file() const { return folder_ / "core.pck"; }

    std::optional<std::string> unpack(const qd::PackageRecord& record, std::string utility_file_name = "updates") {
        write_package(package_file(), record);
        return unpack_written(std::move(utility_file_name));
    }

    std::optional<std::string> unpack_written(std::string utility_file_name = "updates", const std::string& below = "") {
        qd::UnpackServices services{progress_, failures_, self_update_, std::move(utility_file_name), program_folder().string()};
        return reported_by([&] { qd::UnpackPackage((program_folder() / below).string(), package_file(), services); });
    }

    TempFolder folder_;
    RecordingProgress progress_;
    ThrowingFailureReport failures_;
    bool self_update_ = false;
};

TEST_F(UnpackPackageTest, writesEveryFileAndCreatesFoldersOuterFirst) {
    EXPECT_EQ(unpack(package_record({{"q_bottom.ini", "new"}, {"a\\b\\c.txt", "deep"}, {"a/d.txt", "slash"}})), std::nullopt);
    EXPECT_EQ(read_file(program_folder() / "q_bottom.ini"), "new");
    EXPECT_EQ(read_file(program_folder() / "a" / "b" / "c.txt"), "deep");
    EXPECT_EQ(read_file(program_folder() / "a" / "d.txt"), "slash");
    EXPECT_FALSE(self_update_);
}

TEST_F(UnpackPackageTest, newCopyOfTheUtilityIsWrittenBesideIt) {
    struct Case {
        std::string label;
        std::string name;
        std::string written;
        bool self_update;
    };
    const std::vector<Case> cases = {
        {"the utility's own name", "updates", "updates.new", true},
        {"in another letter case", "UpDates", "updates.new", true},
        {"with a folder part it is an ordinary file", "tools\\updates", "tools/updates", false},
        {"the desktop file name is an ordinary file", "updates.exe", "updates.exe", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        self_update_ = false;
        write_file(program_folder() / "updates", "running utility");
        fs::permissions(program_folder() / "updates", fs::perms(0755));
        EXPECT_EQ(unpack(package_record({{c.name,
                                          "\x7f"
                                          "ELF new utility"}})),
                  std::nullopt);
        EXPECT_EQ(self_update_, c.self_update);
        EXPECT_EQ(read_file(program_folder() / "updates"), "running utility");
        EXPECT_EQ(read_file(program_folder() / c.written),
                  "\x7f"
                  "ELF new utility");
        EXPECT_EQ(fs::status(program_folder() / c.written).permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
        fs::remove(program_folder() / c.written);
    }
}

TEST_F(UnpackPackageTest, replacedFileKeepsItsPermissions) {
    fs::permissions(program_folder() / "q_bottom.ini", fs::perms(0600));
    EXPECT_EQ(unpack(package_record({{"q_bottom.ini", "new"}})), std::nullopt);
    EXPECT_EQ(fs::status(program_folder() / "q_bottom.ini").permissions(), fs::perms(0600));
    EXPECT_EQ(fs::status(program_folder() / "updates.ini").permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST_F(UnpackPackageTest, emptyNamesAndIndexZeroAreNotWritten) {
    qd::PackageRecord record = package_record({{"index0.txt", "zero"}, {"", "skipped"}, {"one.txt", "1"}});
    record.names.lower_index = record.contents.lower_index = 0;
    EXPECT_EQ(unpack(record), std::nullopt);
    EXPECT_FALSE(fs::exists(program_folder() / "index0.txt"));
    EXPECT_EQ(read_file(program_folder() / "one.txt"), "1");
    EXPECT_EQ(snapshot(program_folder()).size(), 3u);       // updates.ini, q_bottom.ini, one.txt
    EXPECT_EQ(progress_.event_rounds, 2);                   // indices 1 and 2
    EXPECT_EQ(progress_.bars, (std::vector<int>{0, 100}));  // the empty name has no progress step
}

TEST_F(UnpackPackageTest, progressRoundsHalvesToEven) {
    PackageFiles files;
    for (int i = 1; i <= 8; ++i) files.emplace_back("f" + std::to_string(i), "x");
    EXPECT_EQ(unpack(package_record(files)), std::nullopt);
    EXPECT_EQ(progress_.bars, (std::vector<int>{0, 12, 25, 38, 50, 62, 75, 88, 100}));
    EXPECT_EQ(progress_.labels, (std::vector<std::string>{"0", "12%", "25%", "38%", "50%", "62%", "75%", "88%", "100%"}));
}

TEST_F(UnpackPackageTest, packageWithoutNamesWritesNothing) {
    auto before = snapshot(program_folder());
    qd::PackageRecord record = package_record({{"index0.txt", "zero"}});
    record.names.lower_index = record.contents.lower_index = 0;
    EXPECT_EQ(unpack(record), std::nullopt);
    EXPECT_EQ(unpack(package_record({})), std::nullopt);
    EXPECT_EQ(snapshot(program_folder()), before);
    EXPECT_EQ(progress_.bars, (std::vector<int>{0, 0}));
}

TEST_F(UnpackPackageTest, hostilePackagesChangeNothing) {
    fs::create_directory(folder_ / "outside");
    fs::create_directory_symlink(folder_ / "outside", program_folder() / "link");
    write_file(folder_ / "outside" / "victim.txt", "keep me");
    fs::create_symlink(folder_ / "outside" / "victim.txt", program_folder() / "victim_link");

    auto hostile = [](const std::string& name) { return package_record({{"fine.txt", "fine"}, {name, "evil"}}); };
    qd::PackageRecord short_contents = package_record({{"fine.txt", "fine"}, {"two.txt", "2"}});
    short_contents.contents.items.pop_back();
    qd::PackageRecord missing_name = package_record({{"fine.txt", "fine"}});
    missing_name.names.lower_index = 2;
    std::string valid = serialize_package(package_record({{"fine.txt", "fine"}, {"big.txt", std::string(5000, 'b')}}));
    const std::size_t names_count_at = 2 + std::string("test package").size() + 2;  // after the text and dimensions
    std::string huge_count = valid;
    huge_count.replace(names_count_at, 4, "\xFF\xFF\xFF\x7F");

    struct Case {
        std::string label;
        std::string bytes;
        std::string description;  // part of the reported text
    };
    const std::vector<Case> cases = {
        {"parent folder with backslashes", serialize_package(hostile("..\\evil.txt")), "climbs out"},
        {"parent folder with slashes", serialize_package(hostile("../evil.txt")), "climbs out"},
        {"parent folder further in", serialize_package(hostile("a\\..\\..\\evil.txt")), "climbs out"},
        {"absolute path", serialize_package(hostile("/tmp/evil.txt")), "absolute"},
        {"rooted backslash path", serialize_package(hostile("\\evil.txt")), "absolute"},
        {"drive path", serialize_package(hostile("C:\\evil.txt")), "drive or device"},
        {"drive-relative path", serialize_package(hostile("C:evil.txt")), "drive or device"},
        {"device path", serialize_package(hostile("\\\\?\\C:\\evil.txt")), "absolute"},
        {"server path", serialize_package(hostile("\\\\server\\share\\evil.txt")), "absolute"},
        {"NUL in a name", serialize_package(hostile(std::string("evil.txt\0.ini", 13))), "NUL"},
        {"empty folder part", serialize_package(hostile("a\\\\evil.txt")), "empty part"},
        {"name that is a folder", serialize_package(hostile("a\\")), "empty part"},
        {"through a folder link", serialize_package(hostile("link\\evil.txt")), "outside the target folder"},
        {"over a file link", serialize_package(hostile("victim_link")), "outside the target folder"},
        {"contents list shorter than the names", serialize_package(short_contents), "no contents for file 2"},
        {"names list without index 1", serialize_package(missing_name), "no name for file 1"},
        {"record cut inside a file", valid.substr(0, valid.size() - 10), "ends inside"},
        {"count of 2^31-1", huge_count, "counts more"},
        {"not a package", "HE3\r compressed bytes", "ends inside"},
        {"the local catalogue", serialize_package(hostile("updates.ini")), "utility's own updates.ini"},
        {"the local catalogue in another case", serialize_package(hostile("UPDATES.Ini")), "utility's own updates.ini"},
        {"the fetched catalogue", serialize_package(hostile("updates.temp.ini")), "utility's own updates.temp.ini"},
        {"the new copy's waiting name", serialize_package(hostile("updates.new")), "utility's own updates.new"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        write_file(package_file(), c.bytes);
        auto inside_before = snapshot(folder_.path());
        auto reported = unpack_written();
        ASSERT_TRUE(reported.has_value());
        EXPECT_TRUE(reported->starts_with("\n")) << *reported;
        EXPECT_NE(reported->find(c.description), std::string::npos) << *reported;
        EXPECT_EQ(snapshot(folder_.path()), inside_before);
        EXPECT_FALSE(self_update_);
    }
    fs::remove(package_file());
    EXPECT_EQ(snapshot(folder_.path()).count("outside/evil.txt"), 0u);
    EXPECT_EQ(read_file(folder_ / "outside" / "victim.txt"), "keep me");
}

TEST_F(UnpackPackageTest, aProductFolderMayHoldFilesNamedLikeTheUtilitysOwn) {
    fs::create_directory(program_folder() / "sims");
    write_package(package_file(), package_record({{"updates.ini", "the product's own"}, {"updates.new", "too"}}));
    EXPECT_EQ(unpack_written("updates", "sims"), std::nullopt);
    EXPECT_EQ(read_file(program_folder() / "sims" / "updates.ini"), "the product's own");
    EXPECT_EQ(read_file(program_folder() / "updates.ini"), "[general]\r\nnumberofproducts=0\r\n");
}

TEST_F(UnpackPackageTest, aProductFolderThatLeadsToTheProgramFolderCannotReplaceTheCatalogue) {
    fs::create_directory_symlink(program_folder(), program_folder() / "sims");
    write_package(package_file(), package_record({{"fine.txt", "fine"}, {"updates.ini", "[general]\r\nurl=evil\r\n"}}));
    const auto before = snapshot(program_folder());
    const auto reported = unpack_written("updates", "sims");
    ASSERT_TRUE(reported.has_value());
    EXPECT_NE(reported->find("utility's own updates.ini"), std::string::npos) << *reported;
    EXPECT_EQ(snapshot(program_folder()), before);
}

TEST_F(UnpackPackageTest, missingPackageIsReported) {
    auto reported = unpack_written();
    ASSERT_TRUE(reported.has_value());
    EXPECT_EQ(*reported, "\ncannot read the package " + package_file().string());
}

TEST_F(UnpackPackageTest, fileThatCannotBeWrittenStopsTheUnpackAndKeepsEarlierFiles) {
    fs::create_directories(program_folder() / "busy" / "inner");
    auto reported = unpack(package_record({{"first.txt", "1"}, {"busy", "2"}, {"third.txt", "3"}}));
    ASSERT_TRUE(reported.has_value());
    EXPECT_TRUE(reported->starts_with("\ncannot write " + (program_folder() / "busy").string())) << *reported;
    EXPECT_EQ(read_file(program_folder() / "first.txt"), "1");
    EXPECT_FALSE(fs::exists(program_folder() / "third.txt"));
    // No temporary file is left behind beside the file that failed.
    EXPECT_EQ(snapshot(program_folder()).size(), 5u);  // updates.ini, q_bottom.ini, first.txt, busy, busy/inner
}

TEST_F(UnpackPackageTest, folderBlockedByAFileIsReportedWithItsPath) {
    write_file(program_folder() / "a", "a file, not a folder");
    auto reported = unpack(package_record({{"a\\b\\c.txt", "x"}}));
    EXPECT_EQ(reported, "Could not create directory" + program_folder().string() + "/a/b/");
}

TEST(EnsureFolderPathTest, createsEveryMissingFolder) {
    TempFolder folder;
    ThrowingFailureReport failures;
    qd::EnsureFolderPath((folder / "x").string() + "/y/z", failures);
    EXPECT_TRUE(fs::is_directory(folder / "x" / "y" / "z"));
    qd::EnsureFolderPath("relative/inner/", failures);
    EXPECT_TRUE(fs::is_directory(folder / "relative" / "inner"));
}

}  // namespace
