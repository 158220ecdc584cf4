#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using qd::IniFile;
using qd::testing::read_file;
using qd::testing::TempFolder;
using qd::testing::write_file;

struct ReadCase {
    std::string label;
    std::optional<std::string> file;  // nothing: the file does not exist
    std::string section;
    std::string key;
    std::string default_value;
    std::size_t buffer_size;
    std::string expected;
};

TEST(IniFileTest, getString_followsTheProfileRules) {
    const std::vector<ReadCase> cases = {
        {"exact match", "[general]\r\nurl=http://a/\r\n", "general", "url", "-", 256, "http://a/"},
        {"names ignore case", "[General]\r\nURL=x\r\n", "gENERAL", "Url", "-", 256, "x"},
        {"blanks around names and values", "  [ general ]  \r\n  url  =  x y  \r\n", " general ", " url ", "-", 256, "x y"},
        {"tabs count as blanks", "[general]\n\turl\t=\tx\t\n", "general", "url", "-", 256, "x"},
        {"LF line ends", "[a]\nk=1\n[b]\nk=2\n", "b", "k", "-", 256, "2"},
        {"last line without line end", "[a]\r\nk=1", "a", "k", "-", 256, "1"},
        {"first of two sections wins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\nonly=3\r\n", "a", "k", "-", 256, "1"},
        {"first of two keys wins", "[a]\r\nk=1\r\nK=2\r\n", "a", "k", "-", 256, "1"},
        {"value keeps later equals signs", "[a]\r\nurl=http://h/?x=1\r\n", "a", "url", "-", 256, "http://h/?x=1"},
        {"empty value is not missing", "[a]\r\nk=\r\n", "a", "k", "def", 256, ""},
        {"key in another section", "[a]\r\nk=1\r\n[b]\r\n", "b", "k", "def", 256, "def"},
        {"key before any section", "k=1\r\n[a]\r\n", "a", "k", "def", 256, "def"},
        {"comment line", "[a]\r\n;k=1\r\n  ; k=2\r\n", "a", "k", "def", 256, "def"},
        {"line without equals sign", "[a]\r\nk 1\r\n", "a", "k", "def", 256, "def"},
        {"section name is not a prefix match", "[general2]\r\nk=1\r\n", "general", "k", "def", 256, "def"},
        {"unclosed bracket is no section", "[a]\r\n[b\r\nk=1\r\n", "a", "k", "def", 256, "1"},
        {"missing section", "[a]\r\nk=1\r\n", "b", "k", "def", 256, "def"},
        {"missing file", std::nullopt, "a", "k", "def", 256, "def"},
        {"byte order mark before the first section", "\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "k", "-", 256, "1"},
        {"double quotes around the value are dropped", "[a]\r\nk=\" 1 \"\r\n", "a", "k", "-", 256, " 1 "},
        {"single quotes around the value are dropped", "[a]\r\nk='x'\r\n", "a", "k", "-", 256, "x"},
        {"quotes that do not pair are kept", "[a]\r\nk=\"x'\r\n", "a", "k", "-", 256, "\"x'"},
        {"value cut by the buffer", "[a]\r\nk=abcdefghij\r\n", "a", "k", "-", 5, "abcd"},
        {"value that just fits", "[a]\r\nk=abcd\r\n", "a", "k", "-", 5, "abcd"},
        {"default cut by the buffer", "[a]\r\n", "a", "k", "abcdefghij", 4, "abc"},
        {"buffer of one holds nothing", "[a]\r\nk=abc\r\n", "a", "k", "-", 1, ""},
        {"buffer of zero holds nothing", "[a]\r\nk=abc\r\n", "a", "k", "-", 0, ""},
        {"cut never splits a character", "[a]\r\nk=a\xC3\xA9z\r\n", "a", "k", "-", 3, "a"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        if (c.file) write_file(folder / "test.ini", *c.file);
        IniFile ini(folder / "test.ini");
        EXPECT_EQ(ini.get_string(c.section, c.key, c.default_value, c.buffer_size), c.expected);
    }
}

struct IntCase {
    std::string label;
    std::string file;
    int expected;
};

TEST(IniFileTest, getInt_readsLeadingDigits) {
    const std::vector<IntCase> cases = {
        {"plain number", "[a]\r\nn=42\r\n", 42},
        {"blanks and minus sign", "[a]\r\nn=   -7\r\n", -7},
        {"plus sign", "[a]\r\nn=+5\r\n", 5},
        {"digits then text", "[a]\r\nn=12kb\r\n", 12},
        {"no digits", "[a]\r\nn=abc\r\n", 0},
        {"sign without digits", "[a]\r\nn=-\r\n", 0},
        {"empty value", "[a]\r\nn=\r\n", 0},
        {"decimal point ends the number", "[a]\r\nn=1.9\r\n", 1},
        {"beyond the range stops at its end", "[a]\r\nn=99999999999\r\n", INT_MAX},
        {"below the range stops at its end", "[a]\r\nn=-99999999999\r\n", INT_MIN},
        {"missing key", "[a]\r\nm=1\r\n", -1},
        {"missing section", "[b]\r\nn=1\r\n", -1},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        write_file(folder / "test.ini", c.file);
        EXPECT_EQ(IniFile(folder / "test.ini").get_int("a", "n", -1), c.expected);
    }
}

TEST(IniFileTest, getInt_missingFileGivesDefault) {
    TempFolder folder;
    EXPECT_EQ(IniFile(folder / "none.ini").get_int("a", "n", 17), 17);
}

struct WriteCase {
    std::string label;
    std::optional<std::string> before;  // nothing: the file does not exist
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

TEST(IniFileTest, writeString_changesOnlyItsLine) {
    const std::vector<WriteCase> cases = {
        {"creates the file", std::nullopt, "general", "url", "http://a/", "[general]\r\nurl=http://a/\r\n"},
        {"empty file", "", "a", "k", "v", "[a]\r\nk=v\r\n"},
        {"replaces the value and keeps every other line", "; catalogue\n[a]\n; note\nk=old\nother = 1\n\n[b]\nk=x\n", "A", "K",
         "new", "; catalogue\n[a]\n; note\nk=new\nother = 1\n\n[b]\nk=x\n"},
        {"keeps the file's spelling and blanks before the value", "[a]\r\n  Path = old \r\n", "a", "path", "new",
         "[a]\r\n  Path = new\r\n"},
        {"changes only the first matching key", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", "9", "[a]\r\nk=9\r\nk=2\r\n"},
        {"new key goes after the section's last line", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "k", "v",
         "[a]\r\nx=1\r\nk=v\r\n\r\n[b]\r\ny=2\r\n"},
        {"new key in a section with only its header", "[a]\n[b]\n", "a", "k", "v", "[a]\nk=v\r\n[b]\n"},
        {"new key after a last line without line end", "[a]\r\nx=1", "a", "k", "v", "[a]\r\nx=1\r\nk=v\r\n"},
        {"new key goes to the first of two sections", "[a]\r\nx=1\r\n[a]\r\ny=2\r\n", "a", "k", "v",
         "[a]\r\nx=1\r\nk=v\r\n[a]\r\ny=2\r\n"},
        {"new section at the end of the file", "[a]\nx=1\n", "b", "k", "v", "[a]\nx=1\n[b]\r\nk=v\r\n"},
        {"a commented-out key is not the key", "[a]\r\n;k=1\r\n", "a", "k", "2", "[a]\r\n;k=1\r\nk=2\r\n"},
        {"byte order mark stays", "\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "k", "2", "\xEF\xBB\xBF[a]\r\nk=2\r\n"},
        {"blanks around names are not written", std::nullopt, " a ", " k ", " v ", "[a]\r\nk=v\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        if (c.before) write_file(folder / "test.ini", *c.before);
        IniFile ini(folder / "test.ini");
        EXPECT_TRUE(ini.write_string(c.section, c.key, c.value));
        EXPECT_EQ(read_file(folder / "test.ini"), c.after);
    }
}

TEST(IniFileTest, writeString_readsBackWhatItWrote) {
    TempFolder folder;
    IniFile ini(folder / "updates.ini");
    ASSERT_TRUE(ini.write_string("product1", "name", "core"));
    ASSERT_TRUE(ini.write_string("product1", "version", "1.5"));
    ASSERT_TRUE(ini.write_string("general", "numberofproducts", "1"));
    ASSERT_TRUE(ini.write_string("PRODUCT1", "Version", "2"));
    EXPECT_EQ(ini.get_string("product1", "name", "", 256), "core");
    EXPECT_EQ(ini.get_string("product1", "version", "", 256), "2");
    EXPECT_EQ(ini.get_int("general", "numberofproducts", -1), 1);
}

struct BadWriteCase {
    std::string label;
    std::string section;
    std::string key;
    std::string value;
};

TEST(IniFileTest, writeString_refusesTextThatWouldAddLines) {
    const std::vector<BadWriteCase> cases = {
        {"line break in the value", "a", "k", "1\r\n[b]\r\nk=2"},
        {"line break in the key", "a", "k\nx", "1"},
        {"line break in the section", "a]\n[b", "k", "1"},
        {"bracket in the section", "a]b", "k", "1"},
        {"empty key", "a", "  ", "1"},
        {"equals sign in the key", "a", "k=x", "1"},
        {"key that reads as a comment", "a", ";k", "1"},
    };
    const std::string before = "[a]\r\nk=0\r\n";
    for (const BadWriteCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        write_file(folder / "test.ini", before);
        EXPECT_FALSE(IniFile(folder / "test.ini").write_string(c.section, c.key, c.value));
        EXPECT_EQ(read_file(folder / "test.ini"), before);
    }
}

TEST(IniFileTest, writeString_missingFolderFailsAndCreatesNothing) {
    TempFolder folder;
    IniFile ini(folder / "absent" / "test.ini");
    EXPECT_FALSE(ini.write_string("a", "k", "v"));
    EXPECT_FALSE(fs::exists(folder / "absent"));
}

// Folder permissions do not bind the superuser (CI runs as root), so there the
// write runs in a child process that first becomes the unprivileged user
// owning the files. True when the write reported success.
bool wrote_as_owner(const fs::path& folder, const fs::path& file, const std::string& value) {
    if (::geteuid() != 0) return IniFile(file).write_string("a", "k", value);
    constexpr uid_t kNobody = 65534;
    if (::chown(folder.c_str(), kNobody, kNobody) != 0 || ::chown(file.c_str(), kNobody, kNobody) != 0) {
        ADD_FAILURE() << "cannot hand the files to an unprivileged user";
        return true;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 || ::geteuid() == 0) ::_exit(2);
        ::_exit(IniFile(file).write_string("a", "k", value) ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "the child could not drop its privileges";
    return !WIFEXITED(status) || WEXITSTATUS(status) != 0;
}

TEST(IniFileTest, writeString_readOnlyFolderFailsAndKeepsTheFile) {
    TempFolder folder;
    fs::create_directory(folder / "locked");
    write_file(folder / "locked" / "test.ini", "[a]\r\nk=0\r\n");
    fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(wrote_as_owner(folder / "locked", folder / "locked" / "test.ini", "1"));
    EXPECT_EQ(read_file(folder / "locked" / "test.ini"), "[a]\r\nk=0\r\n");
}

TEST(IniFileTest, writeString_targetThatIsAFolderFailsAndLeavesNoTemporaryFile) {
    TempFolder folder;
    fs::create_directory(folder / "test.ini");
    EXPECT_FALSE(IniFile(folder / "test.ini").write_string("a", "k", "1"));
    EXPECT_TRUE(fs::is_directory(folder / "test.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);  // config, test.ini
}

TEST(IniFileTest, writeString_keepsPermissionsAndLeavesNoTemporaryFile) {
    TempFolder folder;
    write_file(folder / "test.ini", "[a]\r\nk=0\r\n");
    fs::permissions(folder / "test.ini", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(IniFile(folder / "test.ini").write_string("a", "k", "1"));
    EXPECT_EQ(fs::status(folder / "test.ini").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);  // config, test.ini
}

TEST(IniFileTest, aFileLargerThanAnyOfOursReadsAsEmptyAndIsKept) {
    TempFolder folder;
    const std::string huge = "[a]\r\nk=1\r\n" + std::string(qd::kLargestIniFile, ';');
    write_file(folder / "huge.ini", huge);
    IniFile ini(folder / "huge.ini");
    EXPECT_EQ(ini.get_string("a", "k", "default", 256), "default");
    EXPECT_FALSE(ini.write_string("a", "k", "2"));
    EXPECT_EQ(read_file(folder / "huge.ini"), huge);
}

TEST(IniFileTest, writeString_replacesALinkByAPlainFileAndLeavesWhatItNamedAlone) {
    TempFolder folder;
    write_file(folder / "real.ini", "[a]\r\nk=0\r\n");
    fs::create_symlink(folder / "real.ini", folder / "link.ini");
    ASSERT_TRUE(IniFile(folder / "link.ini").write_string("a", "k", "1"));
    EXPECT_FALSE(fs::is_symlink(folder / "link.ini"));
    EXPECT_EQ(read_file(folder / "link.ini"), "[a]\r\nk=1\r\n");
    EXPECT_EQ(read_file(folder / "real.ini"), "[a]\r\nk=0\r\n");
}

}  // namespace
