// The download engine end to end without a window: the catalogue comes from
// a real web server on 127.0.0.1, the products are published with the
// maker's tool, and they are downloaded, checked, decoded, unpacked and
// recorded into a real program folder.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/curl/curl_transfer.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "recording_display.h"
#include "update_world.h"
#include "updater/catalogue/read_updates_ini.h"
#include "updater/engine/download_selected_updates.h"
#include "updater/engine/get_updates_ini.h"

namespace {

namespace fs = std::filesystem;
using qd::testing::read_file;
using qd::testing::reported_by;
using qd::testing::write_file;

constexpr const char* kTitle = "Palvera Press Updates";

// One run of the engine over a world with two published products, "core"
// in the program folder and "sims" in its own folder.
struct EngineRun {
    EngineRun() {
        world.publish("core", {{"core.txt", std::string(200'000, 'c')}, {"pv_navra/blank.htm", "<html></html>"}});
        world.publish("sims", {{"lab1.txt", "router lab"}}, "sims");
    }

    // The catalogue fetch and read of the wizard's first pages, every product ticked.
    void choose_all() {
        run.program_folder = world.program_folder();
        run.addresses = qd::GetUpdatesINI(
            world.program(), transfer, {}, [] {}, failures, tell);
        run.lists = qd::Read_Updates_Ini(world.program(), failures);
        for (qd::ProductEntry& entry : run.lists.offered) entry.selected = true;
    }

    std::optional<std::string> install() {
        qd::EngineServices services{transfer, display, failures, dialogs, starter, codec, [this] { return applications_closed; },
                                    {},       tell};
        return reported_by([&] { qd::DownloadSelectedUpdates(run, services); });
    }

    bool recorded(const std::string& name) const {
        const qd::IniContents local = world.local_catalogue().read();
        for (int i = 1; i <= local.get_int("general", "numberofproducts", 0); ++i)
            if (local.get_string("product" + std::to_string(i), "name", "", 256) == name) return true;
        return false;
    }

    qd::testing::UpdateWorld world;
    std::vector<std::string> notices;  // what the run told of links in its files' places
    qd::FileNotice tell = [this](const std::string& notice) { notices.push_back(notice); };
    qd::CurlTransfer transfer;
    qd::testing::RecordingDisplay display;
    qd::testing::ThrowingFailureReport failures;
    qd::testing::ScriptedDialogs dialogs;
    qd::testing::RecordingStarter starter;
    qd::clsHuffman codec;
    bool applications_closed = true;
    qd::UpdateRun run;
};

TEST(DownloadEngine, installsAndRecordsEveryTickedProduct) {
    EngineRun r;
    r.choose_all();
    ASSERT_EQ(r.run.lists.offered.size(), 2u);
    r.dialogs.expect_message("Files have been updated", kTitle);
    EXPECT_EQ(r.install(), std::nullopt);

    EXPECT_EQ(read_file(r.world.program() / "core.txt"), std::string(200'000, 'c'));
    EXPECT_EQ(read_file(r.world.program() / "pv_navra" / "blank.htm"), "<html></html>");
    EXPECT_EQ(read_file(r.world.program() / "sims" / "lab1.txt"), "router lab");
    EXPECT_TRUE(r.recorded("core"));
    EXPECT_TRUE(r.recorded("sims"));
    for (const char* left_over : {"updates.temp.ini", "core.cmp", "core.pck", "sims/sims.cmp", "sims/sims.pck", "updates:downloads"})
        EXPECT_FALSE(fs::exists(r.world.program() / left_over)) << left_over;
    EXPECT_EQ(r.display.files, (std::vector<std::string>{"core", "sims", "core", "sims"}));
    EXPECT_EQ(r.display.captions,
              (std::vector<std::string>{"Decompression Status", "Unpacking Files", "Decompression Status", "Unpacking Files"}));
    EXPECT_EQ(r.display.labels.back(), "100%");
    EXPECT_TRUE(r.starter.starts.empty());
}

// Symbolic links planted in the program folder in the place of what a run
// writes (the local catalogue, the fetched catalogue, the download folder):
// the run replaces each by a plain file or folder of its own, tells of each
// once and leaves what they named as it was.
TEST(DownloadEngine, linksInPlaceOfWhatARunWritesAreReplacedAndWhatTheyNamedIsLeftAlone) {
    EngineRun r;
    const fs::path program = r.world.program(), outside = r.world.temp / "outside";
    fs::create_directories(outside / "downloads");
    fs::rename(program / "updates.ini", outside / "updates.ini");
    const std::string catalogue = read_file(outside / "updates.ini");
    write_file(outside / "fetched.ini", "kept");
    write_file(outside / "downloads" / "kept.txt", "kept");
    fs::create_symlink(outside / "updates.ini", program / "updates.ini");
    fs::create_symlink(outside / "fetched.ini", program / "updates.temp.ini");
    fs::create_directory_symlink(outside / "downloads", program / "updates:downloads");

    r.choose_all();
    r.dialogs.expect_message("Files have been updated", kTitle);
    EXPECT_EQ(r.install(), std::nullopt);

    EXPECT_FALSE(fs::is_symlink(program / "updates.ini"));
    EXPECT_TRUE(r.recorded("core"));
    EXPECT_EQ(read_file(outside / "updates.ini"), catalogue);
    EXPECT_EQ(read_file(outside / "fetched.ini"), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(outside / "downloads"), fs::directory_iterator()), 1);
    EXPECT_EQ(read_file(outside / "downloads" / "kept.txt"), "kept");
    std::vector<std::string> expected;
    for (auto [name, target] :
         {std::pair{"updates.temp.ini", "fetched.ini"}, {"updates:downloads", "downloads"}, {"updates.ini", "updates.ini"}})
        expected.push_back((program / name).string() + " is a symbolic link to " + (outside / target).string() +
                           "; the program never writes through it");
    EXPECT_EQ(r.notices, expected);
}

// "size" is display information: without it a download is bounded by the
// fixed limit and its Content-Length, not refused past 1 KB.
TEST(DownloadEngine, aProductWithoutASizeIsBoundedByTheFixedLimit) {
    const auto of_size = [](std::int16_t kilobytes) {
        qd::ProductEntry product;
        product.size = kilobytes;
        return product;
    };
    EXPECT_EQ(qd::most_download_bytes(of_size(0)), qd::kUnsizedDownloadLimit);
    EXPECT_EQ(qd::most_download_bytes(of_size(3)), 3 * 1024 + qd::kSizeMargin);

    EngineRun r;
    std::string noise;
    for (std::uint32_t x = 1; noise.size() < 50'000; x = x * 1103515245u + 12345u) noise += static_cast<char>(x >> 24);
    r.world.publish("sims", {{"lab1.txt", noise}}, "sims", "3");
    qd::IniContents served = qd::IniFile(r.world.served() / "updates.ini").read();
    ASSERT_GT(served.get_int("product2", "size", 0), 2);
    qd::IniFile(r.world.served() / "updates.ini").write_string("product2", "size", "0");
    r.choose_all();
    ASSERT_EQ(r.run.lists.offered[1].size, 0);
    r.dialogs.expect_message("Files have been updated", kTitle);
    EXPECT_EQ(r.install(), std::nullopt);
    EXPECT_EQ(read_file(r.world.program() / "sims" / "lab1.txt"), noise);
}

// A package may hold a file named like its own download ("pC.pck" in product
// "pC"): downloads wait in the utility's own folder, so the file stays.
TEST(DownloadEngine, aPackagedFileNamedLikeTheDownloadIsKept) {
    EngineRun r;
    // The maker's tool refuses such a product, so it is published under
    // another name and then renamed on the server.
    r.world.publish("other", {{"pC.pck", "kept package"}, {"pC.cmp", "kept stream"}}, "pc");
    fs::rename(r.world.served() / "other.cmp", r.world.served() / "pC.cmp");
    qd::IniFile(r.world.served() / "updates.ini").write_string("product3", "name", "pC");
    r.choose_all();
    r.dialogs.expect_message("Files have been updated", kTitle);
    EXPECT_EQ(r.install(), std::nullopt);
    EXPECT_EQ(read_file(r.world.program() / "pc" / "pC.pck"), "kept package");
    EXPECT_EQ(read_file(r.world.program() / "pc" / "pC.cmp"), "kept stream");
    EXPECT_TRUE(r.recorded("pC"));
    EXPECT_FALSE(fs::exists(r.world.program() / "updates:downloads"));
}

// Only the ticked product is fetched; the other is not even requested.
TEST(DownloadEngine, untickedProductsAreLeftAlone) {
    EngineRun r;
    r.choose_all();
    r.run.lists.offered[0].selected = false;
    r.dialogs.expect_message("Files have been updated", kTitle);
    EXPECT_EQ(r.install(), std::nullopt);
    EXPECT_FALSE(r.recorded("core"));
    EXPECT_TRUE(r.recorded("sims"));
    EXPECT_EQ(r.world.server.log().find("core.cmp"), std::string::npos);
}

// A refused download stops the run before anything is installed; a file
// that arrived whole but is not the one the catalogue names is refused
// before it is decoded, after the products before it were installed.
TEST(DownloadEngine, untrustedFilesAreNeitherUnpackedNorRecorded) {
    struct Case {
        const char* name;
        std::function<void(qd::testing::UpdateWorld&)> spoil;
        const char* reported;
        bool core_installed;
    };
    const Case cases[] =
        {
            {"second download cut short", [](auto& world) { world.server.set_fault("sims.cmp", "truncated"); },
             "Error Downloading Updates\nsims.cmp: The connection ended after ", false},
            {"second file replaced on the server",
             [](auto& world) { write_file(world.served() / "sims.cmp", "HE0\rnot the package"); },
             "Error Downloading Updates\nsims.cmp is not the file the update list names (its SHA-256 differs).", true},
            {"second file larger than its catalogue size",
             [](auto& world) {
        qd::IniFile(world.served() / "updates.ini").write_string("product2", "size", "1");
        write_file(world.served() / "sims.cmp", std::string(3000, 'x'));
             },
             "Error Downloading Updates\nsims.cmp: The server offers 3000 bytes, more than the 2048 bytes expected.", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRun r;
        c.spoil(r.world);
        r.choose_all();
        std::optional<std::string> reported = r.install();
        ASSERT_TRUE(reported);
        EXPECT_TRUE(reported->starts_with(c.reported)) << *reported;
        EXPECT_EQ(r.recorded("core"), c.core_installed);
        EXPECT_EQ(fs::exists(r.world.program() / "core.txt"), c.core_installed);
        EXPECT_FALSE(r.recorded("sims"));
        EXPECT_FALSE(fs::exists(r.world.program() / "sims" / "lab1.txt"));
        // No download is left behind, finished or not.
        for (const char* left_over : {"core.cmp", "core.pck", "sims/sims.cmp", "sims/sims.pck", "updates:downloads"})
            EXPECT_FALSE(fs::exists(r.world.program() / left_over)) << left_over;
    }
}

// Nothing is fetched when a folder that will be written cannot be: a file
// stands where the folder belongs, or the folder takes no files (/proc).
TEST(DownloadEngine, unwritableFolderIsReportedBeforeAnyDownload) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> block;
        std::string before_folder;  // the report is these, the folder and after_folder, then maybe why
        std::string after_folder;
    };
    const Case cases[] = {
        {"a file in the folder's place", [](const fs::path& sims) { write_file(sims, "not a folder"); },
         "Could not create directory", ""},
        {"a folder that takes no files", [](const fs::path& sims) { fs::create_directory_symlink("/proc", sims); }, "The folder ",
         " cannot be written: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRun r;
        r.choose_all();
        c.block(r.world.program() / "sims");
        std::optional<std::string> reported = r.install();
        ASSERT_TRUE(reported);
        EXPECT_TRUE(reported->starts_with(c.before_folder + r.world.program_folder() + "sims/" + c.after_folder)) << *reported;
        EXPECT_EQ(r.world.server.log().find(".cmp"), std::string::npos);
    }
}

TEST(DownloadEngine, refusalsBeforeTheDownload) {
    {
        EngineRun r;
        r.choose_all();
        for (qd::ProductEntry& entry : r.run.lists.offered) entry.selected = false;
        EXPECT_EQ(r.install(), "No updates were selected from the list");
    }
    {
        EngineRun r;
        r.choose_all();
        r.applications_closed = false;
        EXPECT_EQ(r.install(), "Cannot complete updates while other Palvera Press applications are running");
        EXPECT_EQ(r.world.server.log().find(".cmp"), std::string::npos);
    }
}

// A new copy of the utility is written beside it and the swap helper is
// started between the two closing messages.
TEST(DownloadEngine, newUtilityStartsTheSwapHelper) {
    EngineRun r;
    r.world.publish("tools", {{"updates", "#!/bin/sh\necho new\n"}}, "", "3");
    r.choose_all();
    r.dialogs.expect_message("Files have been updated", kTitle);
    r.dialogs.expect_message("Files have been updated", kTitle);
    EXPECT_EQ(r.install(), std::nullopt);
    EXPECT_TRUE(r.run.self_update_flag);
    EXPECT_EQ(read_file(r.world.program() / "updates.new"), "#!/bin/sh\necho new\n");
    ASSERT_EQ(r.starter.starts.size(), 1u);
    EXPECT_EQ(r.starter.starts[0].program, r.world.program_folder() + "u2");
    EXPECT_EQ(r.starter.starts[0].working_folder, r.world.program_folder());
    EXPECT_TRUE(r.starter.starts[0].arguments.empty());
}

}  // namespace
