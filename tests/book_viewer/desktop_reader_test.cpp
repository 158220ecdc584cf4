#include <gtest/gtest.h>

#include "platform/pdf_reader_link_desktop.h"
#include "temp_folder.h"

namespace qd {
namespace {

namespace fs = std::filesystem;
using testing::write_file;

struct Desktop {
    testing::TempFolder temp;
    DesktopFolders folders{{temp / "config", temp / "etc"}, {temp / "home", temp / "usr"}, {"lab"}};

    void install(const std::string& data, const std::string& id, const std::string& exec) {
        fs::create_directories(temp / data / "applications");
        write_file(temp / data / "applications" / id,
                   "[Desktop Action x]\nExec=wrong\n[Desktop Entry]\nName=Reader\nExec=" + exec + "\n");
    }
    void list(const fs::path& file, const std::string& text) {
        fs::create_directories((temp / file).parent_path());
        write_file(temp / file, text);
    }
};

TEST(DefaultApplication, followsTheDesktopsOrderAndSkipsWhatIsNotInstalled) {
    Desktop desktop;
    desktop.install("usr", "paper.desktop", "paper %f");
    desktop.install("home", "pages.desktop", "pages %U");
    EXPECT_EQ(default_application(desktop.folders, "application/pdf"), std::nullopt);

    desktop.list("usr/applications/mimeinfo.cache", "[MIME Cache]\napplication/pdf=gone.desktop;paper.desktop;\n");
    EXPECT_EQ(default_application(desktop.folders, "application/pdf"), desktop.temp / "usr/applications/paper.desktop");

    desktop.list("etc/mimeapps.list", "[Default Applications]\napplication/pdf=pages.desktop\n");
    EXPECT_EQ(default_application(desktop.folders, "application/pdf"), desktop.temp / "home/applications/pages.desktop");

    // The user's own choice comes first, the desktop's own list before the general one.
    desktop.list("config/mimeapps.list", "[Default Applications]\napplication/pdf=gone.desktop;paper.desktop\n");
    desktop.list("config/lab-mimeapps.list", "[Added Associations]\napplication/pdf=pages.desktop\n");
    EXPECT_EQ(default_application(desktop.folders, "application/pdf"), desktop.temp / "usr/applications/paper.desktop");
    EXPECT_EQ(desktop_entry_exec(qd::testing::read_file(desktop.temp / "usr/applications/paper.desktop")), "paper %f");
}

TEST(ReaderCommand, placesTheDocumentAndThePageOption) {
    struct Case {
        std::string exec, help;
        std::vector<std::string> command;
    };
    const std::string book = "/opt/quiz deck/ZI_ZE.pdf";
    const std::vector<Case> cases{
        {"paper %U", "  -i, --page-index=NUMBER   page to open", {"paper", "--page-index=46", book}},
        {"viewer -- %f", "  -p, --page <number>  Page to open", {"viewer", "--page=46", "--", book}},
        {"\"/opt/my reader/run\" --new %F", "Usage: run FILE", {"/opt/my reader/run", "--new", book}},
        // An address is percent-encoded, so a folder with a blank or "#" still works.
        {"browser %u", "", {"browser", "file:///opt/quiz%20deck/ZI_ZE.pdf#page=46"}},
        {"plain --pages-per-sheet", "--pagesize", {"plain", "--pages-per-sheet", book}},
        {"env A=\"x \\\"y\\\"\" tool %i 100%% %f", "", {"env", "A=x \"y\"", "tool", "100%", book}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exec);
        EXPECT_EQ(reader_command(c.exec, book, 46, page_option_for(c.exec, c.help)), c.command);
    }
}

}  // namespace
}  // namespace qd
