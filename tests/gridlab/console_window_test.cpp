#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "gridlab/console_window.h"
#include "gui_test.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "temp_folder.h"
#include "updater/engine/check_running_applications.h"

namespace qd::gridlab {
namespace {

class ConsoleWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { qd::testing::gui_application(); }

    void type(ConsoleWindow& window, const QString& line) {
        auto* input = window.findChild<QLineEdit*>("command_line");
        QTest::keyClicks(input, line);
        QTest::keyClick(input, Qt::Key_Return);
    }
    QString console(ConsoleWindow& window) { return window.findChild<QPlainTextEdit*>("console_output")->toPlainText(); }

    qd::testing::TempFolder folder;
};

TEST_F(ConsoleWindowTest, theUpdateUtilityFindsARunningConsoleAndAsksToCloseIt) {
    for (DeviceModel model : {DeviceModel::router, DeviceModel::access_switch}) {
        ConsoleWindow window(model, folder.path());
        const std::string title = window.windowTitle().toStdString();
        qd::testing::FakeTopWindows desktop;
        desktop.windows = {{7, title}};
        qd::testing::ScriptedDialogs dialogs;
        dialogs.expect_message(
            title + "\n\nThis application must be shut down before updates can continue.\nWould you like to close it now?", title,
            DialogAnswer::yes);
        EXPECT_TRUE(CheckRunningApplications(desktop, dialogs));
        EXPECT_EQ(desktop.closed, std::vector<std::uint64_t>{7}) << title;
    }
}

TEST_F(ConsoleWindowTest, aTypedLabIsInOutIniAtOnceAndAConsoleStartedAgainContinuesIt) {
    qd::testing::write_file(folder / "sim.txt", "Name the router &lt;Branch1&gt;.\r\n");
    qd::testing::write_file(folder / "sim_showme.txt", "Use hostname.\r\n");
    ConsoleWindow window(DeviceModel::router, folder.path());
    window.show();
    EXPECT_EQ(window.findChild<QPlainTextEdit*>("task_text")->toPlainText(), "Name the router <Branch1>.");
    for (const char* line : {"enable", "conf t", "hostname Branch1", "int fa0/0", "no shut"}) type(window, line);
    EXPECT_EQ(window.findChild<QLabel*>("prompt_label")->text(), "Branch1(config-if)#");
    EXPECT_TRUE(console(window).contains("Branch1(config)#int fa0/0\n"));
    EXPECT_NE(qd::testing::read_file(folder / "out.ini").find("interface fastethernet0/0 state=up\r\n"), std::string::npos)
        << "the quiz can grade while the console is still open";

    auto* input = window.findChild<QLineEdit*>("command_line");
    QTest::keyClicks(input, "ip add?");
    EXPECT_TRUE(console(window).endsWith("Branch1(config-if)#ip add?\n  address  Set or show an address\n"))
        << console(window).toStdString();
    EXPECT_EQ(input->text(), "ip add");
    QTest::keyClick(input, Qt::Key_Tab);
    EXPECT_EQ(input->text(), "ip address ");
    QTest::keyClick(input, Qt::Key_Escape);
    QTest::keyClick(input, Qt::Key_Up);
    EXPECT_EQ(input->text(), "no shut");
    QTest::keyClick(input, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.findChild<QLabel*>("prompt_label")->text(), "Branch1#");

    auto* show_me = window.findChild<QPushButton*>("show_me");
    ASSERT_TRUE(show_me->isEnabled());
    QTest::mouseClick(show_me, Qt::LeftButton);
    EXPECT_TRUE(window.findChild<QPlainTextEdit*>("hint_text")->isVisible());
    EXPECT_EQ(window.findChild<QPlainTextEdit*>("hint_text")->toPlainText(), "Use hostname.");

    QSignalSpy written(&window, &ConsoleWindow::resultWritten);
    QTest::mouseClick(window.findChild<QPushButton*>("exit_button"), Qt::LeftButton);
    ASSERT_EQ(written.count(), 1);
    EXPECT_TRUE(written.front().front().toBool());
    EXPECT_FALSE(window.isVisible());
    const std::string result = qd::testing::read_file(folder / "out.ini");
    EXPECT_TRUE(result.starts_with("[general]\r\nhostname=Branch1\r\n"));

    ConsoleWindow again(DeviceModel::router, folder.path());
    again.show();
    EXPECT_EQ(again.findChild<QLabel*>("prompt_label")->text(), "Branch1>");
    EXPECT_TRUE(console(again).contains("Continuing from the configuration you left")) << console(again).toStdString();
    again.close();
    EXPECT_EQ(qd::testing::read_file(folder / "out.ini"), result);
}

// The quiz's exchange files replaced by FIFOs, which no one writes: the
// console opens at once as it does without them, in its factory configuration.
TEST_F(ConsoleWindowTest, fifosInPlaceOfTheExchangeFilesReadAsMissing) {
    for (const char* name : {"sim.txt", "sim_showme.txt", "sim_start.txt", "out.ini"})
        ASSERT_EQ(::mkfifo((folder / name).c_str(), 0600), 0) << name;
    ConsoleWindow window(DeviceModel::router, folder.path());
    window.show();
    qd::testing::TempFolder empty;
    ConsoleWindow without_files(DeviceModel::router, empty.path());
    EXPECT_EQ(window.findChild<QPlainTextEdit*>("task_text")->toPlainText(),
              without_files.findChild<QPlainTextEdit*>("task_text")->toPlainText());
    type(window, "enable");
    EXPECT_EQ(window.findChild<QLabel*>("prompt_label")->text(), "Router#");
}

TEST_F(ConsoleWindowTest, exitFromUserModeClosesTheSwitchConsoleAndWritesOnce) {
    ConsoleWindow window(DeviceModel::access_switch, folder.path());
    window.show();
    EXPECT_FALSE(window.findChild<QPushButton*>("show_me")->isEnabled()) << "no hint file";
    QSignalSpy written(&window, &ConsoleWindow::resultWritten);
    for (const char* line : {"enable", "conf t", "hostname SW1", "end", "disable", "exit"}) type(window, line);
    EXPECT_FALSE(window.isVisible());
    window.close();
    EXPECT_EQ(written.count(), 1);
    EXPECT_TRUE(qd::testing::read_file(folder / "out.ini").starts_with("[general]\r\nhostname=SW1\r\n"));
}

TEST_F(ConsoleWindowTest, controlsHaveRolesNamesAndATabOrderFollowingTheLayout) {
    qd::testing::write_file(folder / "sim_showme.txt", "hint");
    ConsoleWindow window(DeviceModel::router, folder.path());
    window.show();
    const struct {
        const char* object;
        QAccessible::Role role;
        const char* name;
    } controls[] = {
        {"command_line", QAccessible::EditableText, "Command"},
        {"show_me", QAccessible::Button, "Show Me"},
        {"exit_button", QAccessible::Button, "Exit"},
        {"task_text", QAccessible::EditableText, "Task"},
        {"console_output", QAccessible::EditableText, "Console"},
    };
    for (const auto& control : controls) {
        SCOPED_TRACE(control.object);
        auto* widget = window.findChild<QWidget*>(control.object);
        ASSERT_NE(widget, nullptr);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), control.role);
        EXPECT_EQ(accessible->text(QAccessible::Name), control.name);
    }
    auto* input = window.findChild<QWidget*>("command_line");
    EXPECT_EQ(input->nextInFocusChain(), window.findChild<QWidget*>("show_me"));
    EXPECT_EQ(window.findChild<QWidget*>("show_me")->nextInFocusChain(), window.findChild<QWidget*>("exit_button"));
}

}  // namespace
}  // namespace qd::gridlab
