#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue_text.h"
#include "temp_folder.h"
#include "update_doubles.h"
#include "updater/catalogue/read_updates_ini.h"
#include "updater/catalogue/record_installed_product.h"

namespace {

using qd::testing::catalogue_text;
using qd::testing::CatalogueProduct;
using qd::testing::read_file;
using qd::testing::reported_by;
using qd::testing::TempFolder;
using qd::testing::ThrowingFailureReport;
using qd::testing::write_file;

struct RecordCase {
    std::string label;
    std::string local;
    std::vector<CatalogueProduct> remote;
    std::string installed;  // name of the offered product that was unpacked
    std::string expected;   // "updates.ini" afterwards
};

TEST(RecordInstalledProductTest, writesTheRemoteEntryIntoTheLocalCatalogue) {
    const std::string general = "[general]\r\nurl=https://u.example/\r\n";
    const std::vector<RecordCase> cases = {
        {"a listed product is updated in place; its name and the count stay",
         general + "numberofproducts=2\r\n; installed products\r\n[product1]\r\nname=core\r\nversion=1\r\nsize=5\r\n"
                   "date=old\r\npath=\r\n[product2]\r\nname=extra\r\nversion=1\r\n",
         {{"core", "1.5", "7", "data\\", "2024-06-01"}},
         "core",
         general + "numberofproducts=2\r\n; installed products\r\n[product1]\r\nname=core\r\nversion=1.5\r\nsize=7\r\n"
                   "date=2024-06-01\r\npath=data\\\r\n[product2]\r\nname=extra\r\nversion=1\r\n"},
        {"a new product is appended one above the old count",
         general + "numberofproducts=1\r\n[product1]\r\nname=core\r\nversion=1\r\n",
         {{"core", "1"}, {"extra", "2", "12", "", "d"}},
         "extra",
         general + "numberofproducts=2\r\n[product1]\r\nname=core\r\nversion=1\r\n"
                   "[product2]\r\nname=extra\r\nversion=2\r\ndate=d\r\nsize=12\r\npath=\r\n"},
        {"an empty local catalogue gets its first product",
         "[general]\r\nnumberofproducts=0\r\n",
         {{"core", "3", "1", "", "d"}},
         "core",
         "[general]\r\nnumberofproducts=1\r\n[product1]\r\nname=core\r\nversion=3\r\ndate=d\r\nsize=1\r\npath=\r\n"},
        {"every local section of the name is updated",
         "[general]\r\nnumberofproducts=2\r\n[product1]\r\nname=core\r\nversion=1\r\n[product2]\r\nname=core\r\nversion=0\r\n",
         {{"core", "2", "3", "", "d"}},
         "core",
         "[general]\r\nnumberofproducts=2\r\n[product1]\r\nname=core\r\nversion=2\r\nsize=3\r\ndate=d\r\npath=\r\n"
         "[product2]\r\nname=core\r\nversion=2\r\nsize=3\r\ndate=d\r\npath=\r\n"},
        {"the last remote entry of the name counts",
         "[general]\r\nnumberofproducts=0\r\n",
         {{"core", "2", "1", "", "first"}, {"core", "3", "1", "", "last"}},
         "core",
         "[general]\r\nnumberofproducts=1\r\n[product1]\r\nname=core\r\nversion=3\r\ndate=last\r\nsize=1\r\npath=\r\n"},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        write_file(folder / "updates.ini", c.local);
        write_file(folder / "updates.temp.ini", catalogue_text(c.remote));
        ThrowingFailureReport failures;
        qd::CatalogueLists lists = qd::Read_Updates_Ini(folder.path(), failures);
        auto installed = std::find_if(lists.offered.begin(), lists.offered.end(),
                                      [&](const qd::ProductEntry& entry) { return entry.name == c.installed; });
        ASSERT_NE(installed, lists.offered.end());
        qd::RecordInstalledProduct(folder.path(), lists, *installed, failures);
        EXPECT_EQ(read_file(folder / "updates.ini"), c.expected);
    }
}

TEST(RecordInstalledProductTest, installedProductIsNoLongerOffered) {
    TempFolder folder;
    write_file(folder / "updates.ini", catalogue_text({{"core", "1"}}));
    write_file(folder / "updates.temp.ini", catalogue_text({{"core", "1.5"}, {"extra", "1"}}));
    ThrowingFailureReport failures;
    qd::CatalogueLists lists = qd::Read_Updates_Ini(folder.path(), failures);
    ASSERT_EQ(lists.offered.size(), 2u);
    for (const auto& entry : lists.offered) qd::RecordInstalledProduct(folder.path(), lists, entry, failures);
    EXPECT_TRUE(qd::Read_Updates_Ini(folder.path(), failures).offered.empty());
}

TEST(RecordInstalledProductTest, catalogueThatCannotBeWrittenIsReported) {
    TempFolder folder;
    write_file(folder / "updates.ini", catalogue_text({}));
    write_file(folder / "updates.temp.ini", catalogue_text({{"core", "1"}}));
    ThrowingFailureReport failures;
    qd::CatalogueLists lists = qd::Read_Updates_Ini(folder.path(), failures);
    // The catalogue's name is now taken by a folder, so no write can replace it.
    std::filesystem::remove(folder / "updates.ini");
    std::filesystem::create_directories(folder / "updates.ini" / "x");
    EXPECT_EQ(reported_by([&] { qd::RecordInstalledProduct(folder.path(), lists, lists.offered.at(0), failures); }),
              "Error Updating INI File");
}

}  // namespace
