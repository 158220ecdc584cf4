// The whole publishing path as a maker and a client run it: the maker's
// tools pack and encode a real folder tree, the client decodes, unpacks and
// records it, and the files arrive byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "catalogue_text.h"
#include "folder_snapshot.h"
#include "platform/ini_file.h"
#include "temp_folder.h"
#include "tools/publish/publish_update.h"
#include "update_doubles.h"
#include "updater/catalogue/read_updates_ini.h"
#include "updater/catalogue/record_installed_product.h"
#include "updater/codec/cls_huffman.h"
#include "updater/package/package_format.h"
#include "updater/package/unpack_package.h"
#include "updater/paths/relative_names.h"

namespace {

namespace fs = std::filesystem;
using qd::testing::read_file;
using qd::testing::RecordingProgress;
using qd::testing::snapshot;
using qd::testing::TempFolder;
using qd::testing::ThrowingFailureReport;
using qd::testing::write_file;

int run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

// A product folder with what packages meet: nested folders, an empty file,
// every byte value, a file too long for a short string length, names with
// blanks and non-ASCII letters.
void make_product_tree(const fs::path& root) {
    std::string every_byte;
    for (int i = 0; i < 256; ++i) every_byte.push_back(static_cast<char>(i));
    std::string long_file;
    for (int i = 0; i < 200000; ++i) long_file.push_back(static_cast<char>("quizdeck"[i % 8] + i / 50000));
    write_file(root / "q_bottom.ini", "[bottom]\r\nline=1\r\n");
    write_file(root / "empty.txt", "");
    write_file(root / "pv_navra" / "every byte.bin", every_byte);
    write_file(root / "pv_navra" / "exhibits" / "r\xC3\xA9seau long.txt", long_file);
    write_file(root / "pv_navra" / "deep" / "er" / "still" / "blank.htm", "<html></html>");
}

void unpack(const fs::path& target, const fs::path& package) {
    RecordingProgress progress;
    ThrowingFailureReport failures;
    bool self_update = false;
    qd::UnpackServices services{progress, failures, self_update, "updates", ""};
    qd::UnpackPackage(target.string(), package, services);
}

TEST(PublishingRoundTripTest, toolsPackEncodeDecodeAndUnpackByteForByte) {
    TempFolder folder;
    make_product_tree(folder / "product");
    fs::create_directory(folder / "program");
    fs::create_directory(folder / "extracted");

    ASSERT_EQ(run(std::string(QD_PCK_PROGRAM) + " create core.pck product"), 0);
    ASSERT_EQ(run(std::string(QD_HE3_PROGRAM) + " encode core.pck core.cmp"), 0);
    ASSERT_EQ(run(std::string(QD_HE3_PROGRAM) + " decode core.cmp decoded.pck"), 0);
    EXPECT_EQ(read_file(folder / "decoded.pck"), read_file(folder / "core.pck"));

    unpack(folder / "program", folder / "decoded.pck");
    EXPECT_EQ(snapshot(folder / "program"), snapshot(folder / "product"));
    ASSERT_EQ(run(std::string(QD_PCK_PROGRAM) + " extract decoded.pck extracted"), 0);
    EXPECT_EQ(snapshot(folder / "extracted"), snapshot(folder / "product"));
}

TEST(PublishingRoundTripTest, pckRefusesWhatItCannotCarryAndExtractsSafely) {
    TempFolder folder;
    write_file(folder / "product" / "a.txt", "a");
    fs::create_symlink(folder / "product" / "a.txt", folder / "product" / "link");
    EXPECT_NE(run(std::string(QD_PCK_PROGRAM) + " create links.pck product"), 0);
    EXPECT_FALSE(fs::exists(folder / "links.pck"));

    write_file(folder / "evil.pck", qd::serialize_package(qd::PackageRecord{"", {1, {"..\\evil.txt"}}, {}, {1, {"x"}}}));
    EXPECT_NE(run(std::string(QD_PCK_PROGRAM) + " extract evil.pck out"), 0);
    EXPECT_FALSE(fs::exists(folder / "evil.txt"));
    EXPECT_NE(run(std::string(QD_PCK_PROGRAM) + " list missing.pck"), 0);
    EXPECT_NE(run(std::string(QD_PCK_PROGRAM) + " frobnicate"), 0);
}

// The client's side of one run: the server catalogue arrives as
// updates.temp.ini, each offered package is decoded, unpacked and recorded.
std::vector<std::string> install_offered(const fs::path& program, const fs::path& server) {
    fs::copy_file(server / "updates.ini", program / "updates.temp.ini", fs::copy_options::overwrite_existing);
    ThrowingFailureReport failures;
    qd::CatalogueLists lists = qd::Read_Updates_Ini(program, failures);
    std::vector<std::string> installed;
    for (const qd::ProductEntry& entry : lists.offered) {
        fs::path target = program / qd::with_forward_slashes(entry.path);
        fs::create_directories(target);
        qd::clsHuffman codec;
        codec.DecodeFile(server / (entry.name + ".cmp"), program / (entry.name + ".pck"));
        unpack(target, program / (entry.name + ".pck"));
        fs::remove(program / (entry.name + ".pck"));
        qd::RecordInstalledProduct(program, lists, entry, failures);
        installed.push_back(entry.name);
    }
    return installed;
}

TEST(PublishingRoundTripTest, publishedUpdatesReachTheClientOnce) {
    TempFolder folder;
    make_product_tree(folder / "core");
    write_file(folder / "extra" / "sims" / "router.cfg", "hostname r1\n");
    fs::create_directories(folder / "server");
    fs::create_directories(folder / "program");
    write_file(folder / "program" / "updates.ini", qd::testing::catalogue_text({}, "url=https://u.example/\r\n"));

    qd::PublishResult core = qd::publish_update({folder / "core", folder / "server", "core", "1.5", "", "2024-05-01"});
    qd::PublishResult extra = qd::publish_update({folder / "extra", folder / "server", "extra", "1", "data", "2024-05-02"});
    EXPECT_EQ(core.product_number, 1);
    EXPECT_EQ(extra.product_number, 2);
    EXPECT_EQ(core.file_count, 5u);

    EXPECT_EQ(install_offered(folder / "program", folder / "server"), (std::vector<std::string>{"core", "extra"}));
    EXPECT_EQ(read_file(folder / "program" / "pv_navra" / "every byte.bin"),
              read_file(folder / "core" / "pv_navra" / "every byte.bin"));
    EXPECT_EQ(read_file(folder / "program" / "data" / "sims" / "router.cfg"), "hostname r1\n");
    EXPECT_TRUE(install_offered(folder / "program", folder / "server").empty());

    // A new version of one product is offered alone, and only once.
    write_file(folder / "core" / "q_bottom.ini", "[bottom]\r\nline=2\r\n");
    EXPECT_EQ(qd::publish_update({folder / "core", folder / "server", "core", "1.6", "", "2024-06-01"}).product_number, 1);
    EXPECT_EQ(install_offered(folder / "program", folder / "server"), (std::vector<std::string>{"core"}));
    EXPECT_EQ(read_file(folder / "program" / "q_bottom.ini"), "[bottom]\r\nline=2\r\n");
    EXPECT_TRUE(install_offered(folder / "program", folder / "server").empty());
    EXPECT_EQ(qd::IniFile(folder / "program" / "updates.ini").get_int("general", "numberofproducts", -1), 2);
}

TEST(PublishTest, unusableRequestsChangeNothingOnTheServer) {
    TempFolder folder;
    write_file(folder / "core" / "a.txt", "a");
    write_file(folder / "clash" / "pC.pck", "p");
    write_file(folder / "own" / "UPDATES.ini", "[general]\r\nurl=elsewhere\r\n");
    fs::create_directories(folder / "empty");
    fs::create_directories(folder / "server");
    qd::publish_update({folder / "core", folder / "server", "core", "2", "", "d"});
    auto before = snapshot(folder / "server");

    struct Case {
        std::string label;
        qd::PublishRequest request;
    };
    const fs::path server = folder / "server";
    const std::vector<Case> cases = {
        {"same version again", {folder / "core", server, "core", "2", "", "d"}},
        {"lower version", {folder / "core", server, "core", "1.9", "", "d"}},
        {"1.10 is below 2 as well", {folder / "core", server, "core", "1.10", "", "d"}},
        {"version that is no number", {folder / "core", server, "new", "2b", "", "d"}},
        {"name with a folder part", {folder / "core", server, "..\\core", "3", "", "d"}},
        {"install folder climbing out", {folder / "core", server, "new", "3", "../x", "d"}},
        {"absolute install folder", {folder / "core", server, "new", "3", "/opt/x", "d"}},
        {"date of two lines", {folder / "core", server, "new", "3", "", "d\r\n[x]"}},
        {"empty product folder", {folder / "empty", server, "new", "3", "", "d"}},
        {"a file named like the product's download", {folder / "clash", server, "pC", "1", "", "d"}},
        {"the same, in other letter case", {folder / "clash", server, "pc", "1", "", "d"}},
        {"a file named like the utility's catalogue", {folder / "own", server, "new", "3", "", "d"}},
        {"missing product folder", {folder / "none", server, "new", "3", "", "d"}},
        {"missing server folder", {folder / "core", folder / "no server", "new", "3", "", "d"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_THROW(qd::publish_update(c.request), qd::PublishError);
        EXPECT_EQ(snapshot(server), before);
    }
    try {
        qd::publish_update({folder / "clash", server, "pC", "1", "", "d"});
    } catch (const qd::PublishError& error) {
        EXPECT_NE(std::string(error.what()).find("pC.pck, the name of the product's own download"), std::string::npos)
            << error.what();
    }
    try {
        qd::publish_update({folder / "own", server, "new", "3", "", "d"});
        ADD_FAILURE() << "published";
    } catch (const qd::PublishError& error) {
        EXPECT_NE(std::string(error.what()).find("UPDATES.ini, which would replace the update utility's own updates.ini"),
                  std::string::npos)
            << error.what();
    }
    // In a folder of its own, the product may hold such a file.
    EXPECT_NO_THROW(qd::publish_update({folder / "own", server, "new", "3", "sims", "d"}));
}

}  // namespace
