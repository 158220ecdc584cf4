#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "gui_test.h"
#include "platform/testing/doubles.h"
#include "runner/exhibit_window.h"
#include "runner/review_button.h"
#include "tab_order.h"
#include "temp_folder.h"

namespace qd {
namespace {

struct ExhibitFixture {
    testing::TempFolder temp;
    testing::FixedScreen screen;
    std::unique_ptr<ManagedWindow> handle = (testing::gui_application(), create_exhibit_window(screen));
    ExhibitWindow& window = static_cast<ExhibitHandle&>(*handle).exhibit();
    std::string data_folder = temp.path().string() + "/";
};

TEST(ExhibitWindow, laterExhibitReplacesTheTextAndLongLinesDoNotWrap) {
    ExhibitFixture f;
    const std::string wide = "R1#show ip interface brief" + std::string(150, ' ') + "up";
    testing::write_file(f.temp / "r1.txt", "Router#show version\r\n" + wide + "\r\n");
    testing::write_file(f.temp / "r2.txt", "Switch#show vlan brief\n");
    show_exhibit(f.window, f.data_folder, "r1.txt");
    EXPECT_TRUE(f.window.isVisible());
    EXPECT_EQ(f.window.text().toStdString(), "Router#show version\n" + wide + "\n");
    auto* text1 = f.window.findChild<QPlainTextEdit*>("text1");
    EXPECT_EQ(text1->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(QFontInfo(text1->font()).fixedPitch());

    show_exhibit(f.window, f.data_folder, "r2.txt");
    EXPECT_EQ(f.window.text(), "Switch#show vlan brief\n");
}

TEST(ExhibitWindow, missingExhibitShowsAOneLineNotice_andNoNameShowsNothing) {
    ExhibitFixture f;
    show_exhibit(f.window, f.data_folder, "");
    EXPECT_FALSE(f.window.isVisible());
    show_exhibit(f.window, f.data_folder, "gone.txt");
    EXPECT_TRUE(f.window.isVisible());
    EXPECT_EQ(f.window.text(), QString::fromStdString("The exhibit " + f.data_folder + "gone.txt is missing or cannot be read."));
}

// A FIFO (which would never deliver a byte) or a folder in place of an
// exhibit is a missing exhibit, at once; a huge one shows its beginning.
TEST(ExhibitWindow, whatIsNotAPlainFileIsAMissingExhibit_andAHugeOneIsCut) {
    ExhibitFixture f;
    ASSERT_EQ(::mkfifo((f.temp / "fifo.txt").c_str(), 0600), 0);
    std::filesystem::create_directory(f.temp / "folder.txt");
    for (const char* name : {"fifo.txt", "folder.txt"}) {
        SCOPED_TRACE(name);
        show_exhibit(f.window, f.data_folder, name);
        EXPECT_EQ(f.window.text(), QString::fromStdString("The exhibit " + f.data_folder + name + " is missing or cannot be read."));
    }
    testing::write_file(f.temp / "huge.txt", std::string(3 << 20, 'x'));
    show_exhibit(f.window, f.data_folder, "huge.txt");
    const QString shown = f.window.text();
    EXPECT_TRUE(shown.startsWith("xxxx"));
    EXPECT_LT(shown.size(), 300 * 1024);
    EXPECT_TRUE(shown.endsWith("the rest is not shown.)")) << shown.right(80).toStdString();
}

TEST(ExhibitWindow, keepsItsMinimumSize_closeHidesAndTheNextClickShowsItAgain) {
    ExhibitFixture f;
    testing::write_file(f.temp / "r1.txt", "R1#\n");
    show_exhibit(f.window, f.data_folder, "r1.txt");
    f.window.resize(5000 / 15, 3000 / 15);
    EXPECT_EQ(f.window.size(), QSize(10125 / 15, 5955 / 15));
    f.window.resize(900, 700);
    auto* text1 = f.window.findChild<QPlainTextEdit*>("text1");
    auto* close = f.window.findChild<QPushButton*>("Command1");
    QApplication::processEvents();
    EXPECT_GT(text1->width(), 850);
    EXPECT_NEAR(close->geometry().center().x(), f.window.width() / 2, 2);

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(close);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Close");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(text1)->text(QAccessible::Name), "Exhibit");
    EXPECT_EQ(testing::next_tab_stop(text1), close);

    close->click();
    EXPECT_FALSE(f.window.isVisible());
    show_exhibit(f.window, f.data_folder, "r1.txt");
    EXPECT_TRUE(f.window.isVisible());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&f.window, &escape);
    EXPECT_FALSE(f.window.isVisible());
}

TEST(ExhibitWindow, opensBesideTheQuizWindow) {
    ExhibitFixture f;
    testing::write_file(f.temp / "r1.txt", "R1#\n");
    f.window.load_exhibit(f.data_folder + "r1.txt");
    const QRect quiz(0, 0, 100, 480);
    f.window.place_beside(quiz);
    EXPECT_EQ(f.window.pos(), QPoint(100, 0));
    EXPECT_EQ(f.window.height(), 480);
}

TEST(ReviewButton, showsOnlyForAPageReferenceInPracticeMode) {
    struct Case {
        const char* tag;
        std::int16_t practice_mode;
        bool visible;
    };
    const std::vector<Case> cases{
        {"46##", -1, true}, {"46##", 0, false}, {"46", -1, false}, {"", -1, false}, {"##", -1, true}, {"46#", -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.tag) + " " + std::to_string(c.practice_mode));
        EXPECT_EQ(review_button_visible(c.tag, c.practice_mode), c.visible);
    }
}

}  // namespace
}  // namespace qd
