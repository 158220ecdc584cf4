#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/file_for_writing.h"
#include "temp_folder.h"

namespace qd {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::TempFolder;

// What stands in the file's place before the write.
enum class InPlace { nothing, plain_file, link_to_file, dangling_link };

TEST(FileForWriting, neverWritesThroughALinkAndReplacesItByAPlainFile) {
    struct Case {
        WriteMode mode;
        InPlace in_place;
        const char* contents_after;
    };
    for (const Case& c : std::initializer_list<Case>{
             {WriteMode::replace_contents, InPlace::nothing, "new"},
             {WriteMode::replace_contents, InPlace::plain_file, "new"},
             {WriteMode::replace_contents, InPlace::link_to_file, "new"},
             {WriteMode::replace_contents, InPlace::dangling_link, "new"},
             {WriteMode::append, InPlace::nothing, "new"},
             {WriteMode::append, InPlace::plain_file, "oldnew"},
             {WriteMode::append, InPlace::link_to_file, "new"},
             {WriteMode::append, InPlace::dangling_link, "new"},
             {WriteMode::create_new, InPlace::nothing, "new"},
             {WriteMode::create_new, InPlace::link_to_file, "new"},
             {WriteMode::create_new, InPlace::dangling_link, "new"},
         }) {
        SCOPED_TRACE(static_cast<int>(c.mode) * 10 + static_cast<int>(c.in_place));
        TempFolder folder;
        fs::create_directory(folder / "elsewhere");
        const fs::path file = folder / "file";
        const fs::path target = folder / "elsewhere" / "target";
        if (c.in_place == InPlace::plain_file) testing::write_file(file, "old");
        if (c.in_place == InPlace::link_to_file) testing::write_file(target, "kept");
        if (c.in_place == InPlace::link_to_file || c.in_place == InPlace::dangling_link) fs::create_symlink(target, file);
        const bool was_link = c.in_place == InPlace::link_to_file || c.in_place == InPlace::dangling_link;
        EXPECT_EQ(planted_link_notice(file).has_value(), was_link);

        EXPECT_EQ(write_file(file, "new", c.mode), std::nullopt);
        EXPECT_FALSE(fs::is_symlink(file));
        EXPECT_EQ(read_file(file), c.contents_after);
        EXPECT_EQ(fs::exists(target), c.in_place == InPlace::link_to_file);
        if (c.in_place == InPlace::link_to_file) {
            EXPECT_EQ(read_file(target), "kept");
        }
        EXPECT_EQ(planted_link_notice(file), std::nullopt) << "a link is reported once";
    }
}

TEST(FileForWriting, refusesWhatIsNotAPlainFileWithoutWaiting) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_directory(folder / "folder");
    testing::write_file(folder / "existing", "old");
    for (WriteMode mode : {WriteMode::replace_contents, WriteMode::append})
        for (const char* name : {"fifo", "folder"}) {
            SCOPED_TRACE(name);
            EXPECT_NE(write_file(folder / name, "new", mode), std::nullopt);
        }
    EXPECT_NE(write_file(folder / "existing", "new", WriteMode::create_new), std::nullopt);
    EXPECT_EQ(read_file(folder / "existing"), "old");
    EXPECT_TRUE(fs::is_fifo(folder / "fifo"));

    // Refusing a link leaves it, and what it names, as they were.
    fs::create_symlink(folder / "existing", folder / "link");
    fs::create_symlink(folder / "nowhere", folder / "dangling");
    for (const char* name : {"link", "dangling"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(write_file(folder / name, "new", WriteMode::replace_contents, AtALink::refuse), std::nullopt);
        EXPECT_TRUE(fs::is_symlink(folder / name));
    }
    EXPECT_EQ(read_file(folder / "existing"), "old");
    EXPECT_FALSE(fs::exists(folder / "nowhere"));
}

TEST(FileForWriting, noticeNamesWhereTheLinkPointed) {
    TempFolder folder;
    fs::create_symlink("/somewhere/else", folder / "file");
    const auto notice = planted_link_notice(folder / "file");
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->find("/somewhere/else"), std::string::npos) << *notice;
}

}  // namespace
}  // namespace qd
