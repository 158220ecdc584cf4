#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/text_file.h"
#include "temp_folder.h"

namespace qd {
namespace {

namespace fs = std::filesystem;

TEST(RegularFile, onlyPlainFilesAreReadAndNoMoreThanTheBound) {
    testing::TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);  // no writer: an ordinary open would wait for good
    fs::create_directory(folder / "folder");
    testing::write_file(folder / "empty", "");
    testing::write_file(folder / "short", "abc");
    testing::write_file(folder / "long", std::string(10000, 'x') + "end");
    fs::create_symlink(folder / "short", folder / "link");
    struct Case {
        const char* name;
        std::size_t bound;
        std::optional<std::string> bytes;  // nothing: read as missing
        bool cut;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"missing", 10, std::nullopt, false},
             {"fifo", 10, std::nullopt, false},
             {"folder", 10, std::nullopt, false},
             {"empty", 10, "", false},
             {"short", 3, "abc", false},
             {"short", 2, "ab", true},
             {"link", 10, "abc", false},  // a link to a plain file is read: only writing refuses links
             {"long", 5, "xxxxx", true},
             {"long", 20000, std::string(10000, 'x') + "end", false},
         }) {
        SCOPED_TRACE(std::string(c.name) + " within " + std::to_string(c.bound));
        const auto text = read_regular_file(folder / c.name, c.bound);
        ASSERT_EQ(text.has_value(), c.bytes.has_value());
        if (!text) continue;
        EXPECT_EQ(text->bytes, *c.bytes);
        EXPECT_EQ(text->cut, c.cut);
    }
    EXPECT_EQ(read_text_file(folder / "fifo"), "");
}

}  // namespace
}  // namespace qd
