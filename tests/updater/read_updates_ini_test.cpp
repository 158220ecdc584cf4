#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue_text.h"
#include "temp_folder.h"
#include "update_doubles.h"
#include "updater/catalogue/read_updates_ini.h"
#include "updater/catalogue/server_addresses.h"

namespace {

using qd::CatalogueLists;
using qd::Read_Updates_Ini;
using qd::testing::catalogue_text;
using qd::testing::CatalogueProduct;
using qd::testing::reported_by;
using qd::testing::TempFolder;
using qd::testing::ThrowingFailureReport;
using qd::testing::write_file;

std::vector<std::string> names_of(const std::vector<qd::ProductEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) names.push_back(entry.name);
    return names;
}

struct ComparisonCase {
    std::string label;
    std::vector<CatalogueProduct> local;
    std::vector<CatalogueProduct> remote;
    std::vector<std::string> offered;
};

TEST(ReadUpdatesIniTest, offersRemoteProductsThatAreNotInstalledAtTheirVersion) {
    const std::vector<ComparisonCase> cases = {
        {"higher remote version is offered", {{"core", "1.5"}}, {{"core", "1.6"}}, {"core"}},
        {"equal versions are not offered", {{"core", "1.5"}}, {{"core", "1.5"}}, {}},
        {"lower remote version is not offered", {{"core", "2"}}, {{"core", "1.5"}}, {}},
        {"1.10 is the number 1.1, below 1.9", {{"core", "1.9"}}, {{"core", "1.10"}}, {}},
        {"1.10 equals 1.1", {{"core", "1.1"}}, {{"core", "1.10"}}, {}},
        {"a product new to the local catalogue is offered", {{"core", "1"}}, {{"core", "1"}, {"extra", "0.1"}}, {"extra"}},
        {"a local product missing remotely is ignored", {{"old", "1"}, {"core", "1"}}, {{"core", "2"}}, {"core"}},
        {"names match with case", {{"Core", "9"}}, {{"core", "1"}}, {"core"}},
        {"an empty local list offers everything", {}, {{"a", "1"}, {"b", "1"}}, {"a", "b"}},
        {"offers keep the remote order", {{"b", "1"}}, {{"c", "1"}, {"b", "2"}, {"a", "1"}}, {"c", "b", "a"}},
        {"any local entry of the name may cover it", {{"core", "1"}, {"core", "3"}}, {{"core", "2"}}, {}},
        {"a missing local version counts as 0", {{"core", std::nullopt}}, {{"core", "0"}, {"x", "1"}}, {"x"}},
        {"an empty local version counts as 0", {{"core", ""}}, {{"core", "0.5"}}, {"core"}},
        {"no remote products", {{"core", "1"}}, {}, {}},
        {"a product that is not offered is not checked", {{"core", "2"}}, {{"core", "1", "10", std::nullopt}}, {}},
    };
    for (const ComparisonCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        write_file(folder / "updates.ini", catalogue_text(c.local));
        write_file(folder / "updates.temp.ini", catalogue_text(c.remote));
        ThrowingFailureReport failures;
        CatalogueLists lists = Read_Updates_Ini(folder.path(), failures);
        EXPECT_EQ(names_of(lists.offered), c.offered);
        EXPECT_EQ(lists.local.size(), c.local.size());
        EXPECT_EQ(lists.remote.size(), c.remote.size());
        for (const auto& entry : lists.remote) {
            bool offered = std::find(c.offered.begin(), c.offered.end(), entry.name) != c.offered.end();
            EXPECT_EQ(entry.up_to_date, !offered) << entry.name;
        }
    }
}

TEST(ReadUpdatesIniTest, readsEveryFieldWithItsDefault) {
    TempFolder folder;
    write_file(folder / "updates.ini", "[general]\r\nnumberofproducts=1\r\n[product1]\r\n");
    write_file(folder / "updates.temp.ini",
               catalogue_text({{"core", "2.5", "321", "data\\", "1 May 2024"}}) + "[product2]\r\nname=x\r\n");
    ThrowingFailureReport failures;
    CatalogueLists lists = Read_Updates_Ini(folder.path(), failures);

    ASSERT_EQ(lists.local.size(), 1u);
    EXPECT_EQ(lists.local[0].name, "<no name>");
    EXPECT_EQ(lists.local[0].version, 0.0f);
    EXPECT_EQ(lists.local[0].size, 0);
    EXPECT_EQ(lists.local[0].date, "<no date>");
    EXPECT_EQ(lists.local[0].path, "<no path>");

    ASSERT_EQ(lists.offered.size(), 1u);
    const qd::ProductEntry& offered = lists.offered[0];
    EXPECT_EQ(offered.name, "core");
    EXPECT_EQ(offered.version, 2.5f);
    EXPECT_EQ(offered.size, 321);
    EXPECT_EQ(offered.date, "1 May 2024");
    EXPECT_EQ(offered.path, "data\\");
    EXPECT_FALSE(offered.selected);
}

TEST(ReadUpdatesIniTest, usesAtMost255CharactersOfAValue) {
    TempFolder folder;
    write_file(folder / "updates.ini", catalogue_text({}));
    std::string long_date(300, 'd');
    write_file(folder / "updates.temp.ini", catalogue_text({{"core", "1", "1", "", long_date}}));
    ThrowingFailureReport failures;
    CatalogueLists lists = Read_Updates_Ini(folder.path(), failures);
    ASSERT_EQ(lists.offered.size(), 1u);
    EXPECT_EQ(lists.offered[0].date, std::string(255, 'd'));
}

struct FailureCase {
    std::string label;
    std::optional<std::string> local;   // nothing: no "updates.ini"
    std::optional<std::string> remote;  // nothing: no "updates.temp.ini"
    std::string failure;
    std::vector<std::string> messages = {};
};

TEST(ReadUpdatesIniTest, damagedCataloguesAreReported) {
    const std::string fine = catalogue_text({{"core", "1"}});
    const std::string reading = "Error Reading INI File";
    auto remote_with = [](CatalogueProduct product) { return catalogue_text({product}); };
    const std::vector<FailureCase> cases = {
        {"no local catalogue", std::nullopt, fine, "updates.ini not found.  Please reinstall software."},
        {"no remote catalogue", fine, std::nullopt, reading, {"Error retrieving updates"}},
        {"remote catalogue without a count", fine, "[product1]\r\nname=core\r\nversion=1\r\n", reading, {"Error retrieving updates"}},
        {"local catalogue without a count", "[product1]\r\nname=core\r\n", fine, reading},
        {"negative remote count", fine, "[general]\r\nnumberofproducts=-2\r\n", reading},
        {"remote count beyond the products listed", fine,
         "[general]\r\nnumberofproducts=2147483647\r\n" + qd::testing::product_section(1, {"core", "2"}), reading},
        {"local count beyond any catalogue", "[general]\r\nnumberofproducts=2147483647\r\n", fine, reading},
        {"remote version missing", fine, remote_with({"core", std::nullopt}), reading},
        {"remote version empty", fine, remote_with({"core", ""}), reading},
        {"remote version not a number", fine, remote_with({"core", "1.2b"}), reading},
        {"local version not a number", catalogue_text({{"core", "new"}}), fine, reading},
        {"size beyond 32767", fine, remote_with({"core", "2", "32768"}), reading},
        {"local size beyond 32767", catalogue_text({{"core", "1", "99999"}}), fine, reading},
        {"offered sizes beyond 32767 in total", fine, catalogue_text({{"a", "1", "20000"}, {"b", "1", "12767"}, {"c", "1", "1"}}),
         reading},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        if (c.local) write_file(folder / "updates.ini", *c.local);
        if (c.remote) write_file(folder / "updates.temp.ini", *c.remote);
        ThrowingFailureReport failures;
        EXPECT_EQ(reported_by([&] { Read_Updates_Ini(folder.path(), failures); }), c.failure);
        EXPECT_EQ(failures.messages, c.messages);
    }
}

// One product that cannot be installed is refused alone, with its reason;
// the others are offered as usual.
TEST(ReadUpdatesIniTest, anUnsafeOfferedProductIsRefusedAloneWithItsReason) {
    struct RefusedCase {
        std::string label;
        std::string product;  // its section
        std::string reason;
    };
    auto section = [](CatalogueProduct product) { return qd::testing::product_section(2, product); };
    const std::vector<RefusedCase> cases = {
        {"no folder", section({"bad", "2", "1", std::nullopt}), "the update list gives it no folder"},
        {"absolute folder", section({"bad", "2", "1", "/usr/lib/"}), "its folder \"/usr/lib/\" is an absolute path"},
        {"folder climbing out", section({"bad", "2", "1", "..\\..\\home\\"}),
         "its folder \"..\\..\\home\\\" climbs out of its folder"},
        {"folder climbing out with slashes", section({"bad", "2", "1", "data/../../x"}), "climbs out of its folder"},
        {"drive folder", section({"bad", "2", "1", "C:\\Windows\\"}), "has a drive or device form"},
        {"folder with a character no folder name holds", section({"bad", "2", "1", "sims|2"}),
         "holds a character no file name may hold"},
        {"name with a folder part", section({"..\\bad", "2"}), "its name \"..\\bad\" holds a folder part"},
        {"name that is a parent folder", section({"..", "2"}), "climbs out of its folder"},
        {"no name", "[product2]\r\nversion=2\r\npath=\r\n", "the update list gives it no name"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        write_file(folder / "updates.ini", catalogue_text({}));
        write_file(folder / "updates.temp.ini", "[general]\r\nnumberofproducts=3\r\n" +
                                                    qd::testing::product_section(1, {"core", "2"}) + c.product +
                                                    qd::testing::product_section(3, {"sims", "2", "5", "sims\\"}));
        ThrowingFailureReport failures;
        CatalogueLists lists;
        EXPECT_EQ(reported_by([&] { lists = Read_Updates_Ini(folder.path(), failures); }), std::nullopt);
        ASSERT_EQ(lists.offered.size(), 3u);
        EXPECT_EQ(lists.offered[0].refused, "");
        EXPECT_NE(lists.offered[1].refused.find(c.reason), std::string::npos) << lists.offered[1].refused;
        EXPECT_EQ(lists.offered[2].refused, "");
    }
}

TEST(ReadUpdatesIniTest, serverAddressesComeFromTheLocalCatalogueOnly) {
    TempFolder folder;
    write_file(folder / "updates.ini", catalogue_text({}, "url=https://mine.example/u/\r\n"));
    write_file(folder / "updates.temp.ini",
               catalogue_text({}, "url=https://other.example/\r\nmanualurl=https://other.example/m\r\n"));
    qd::ServerAddresses addresses = qd::read_server_addresses(folder.path());
    EXPECT_EQ(addresses.url, "https://mine.example/u/");
    EXPECT_EQ(addresses.manual_url, "https://www.palverapress.example/updates/manual.htm");
}

}  // namespace
