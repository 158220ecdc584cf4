// The program's document window on the staged user guide and a history
// report, in the real browser: links followed in place, Back, the desktop's
// browser on request, and everything that is not one of our pages passed on.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "accessibility_check.h"
#include "common/document_window.h"
#include "gui_test.h"
#include "platform/qt/window_accessibility.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "platform/webengine/webengine_browser.h"
#include "temp_folder.h"

namespace qd {
namespace {

class DocumentWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testing::gui_application();
        install_window_accessibility();
    }

    void click_page(const std::string& selector) {
        Browser& browser = shell.window()->browser();
        const auto centre = probe_of(browser).element_center(selector);
        ASSERT_TRUE(centre) << selector;
        QTest::mouseClick(browser.widget()->focusProxy(), Qt::LeftButton, {}, QPoint(centre->x, centre->y));
    }

    bool page_says(const std::string& words) {
        return QTest::qWaitFor([&] { return probe_of(shell.window()->browser()).visible_text().find(words) != std::string::npos; },
                               10000);
    }

    const std::string guide = std::string(QUIZDECK_STAGE_DIR) + "/velqor.html";
    testing::RecordingShell desktop;
    testing::ScriptedDialogs dialogs;
    WebEngineBrowserFactory browsers;
    DocumentShell shell{desktop, browsers, dialogs};
};

TEST_F(DocumentWindowTest, theGuideOpensInTheProgram_followsItsLinksInPlace_andGoesBack) {
    shell.open(guide, ShowMode::normal);
    ASSERT_NE(shell.window(), nullptr);
    DocumentWindow& window = *shell.window();
    ASSERT_TRUE(window.isVisible());
    EXPECT_TRUE(desktop.opened.empty());
    EXPECT_EQ(window.windowTitle(), "velqor.html");
    testing::expect_window_described(window);

    ASSERT_TRUE(page_says("User Guide"));
    click_page("a[href$='quiz.html']");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == "quiz.html"; }, 10000))
        << window.windowTitle().toStdString() << " " << desktop.opened.size() << " " << window.browser().address();
    auto* back = window.findChild<QPushButton*>("document_back");
    ASSERT_TRUE(back->isEnabled());
    click_page("a[href$='velqor.html']");  // the guide's way back to its contents
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == "velqor.html"; }, 10000));
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(window.windowTitle(), "quiz.html");
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(window.windowTitle(), "velqor.html");
    EXPECT_FALSE(back->isEnabled());
    EXPECT_TRUE(desktop.opened.empty());

    QTest::mouseClick(window.findChild<QPushButton*>("document_open_elsewhere"), Qt::LeftButton);
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0].first, "file://" + guide);
}

TEST_F(DocumentWindowTest, aHistoryReportByItsBareName_opensInTheProgram_otherDocumentsGoToTheDesktop) {
    testing::TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    testing::write_file(folder / "history.41517.Alex.htm",
                        "<html><center><h2> History Report for Alex </h2></center><p><b>  Results:</b><br> 71%</html>");
    shell.open("history.41517.Alex.htm", ShowMode::maximized);
    std::filesystem::current_path(previous);
    ASSERT_NE(shell.window(), nullptr);
    EXPECT_TRUE(page_says("History Report for Alex"));
    EXPECT_EQ(shell.window()->windowTitle(), "history.41517.Alex.htm");

    for (const char* elsewhere : {"https://example.org/page.htm", "mailto:someone@example.org", "/no/such/page.htm", "EULA.txt"})
        shell.open(elsewhere, ShowMode::normal);
    ASSERT_EQ(desktop.opened.size(), 4u);
    EXPECT_EQ(desktop.opened[0].first, "https://example.org/page.htm");
    EXPECT_EQ(desktop.opened[3].first, "EULA.txt");
}

}  // namespace
}  // namespace qd
