#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "../common/fake_window.h"
#include "common/program_title.h"
#include "gui_test.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "program_world.h"
#include "recorder_double.h"
#include "shell/click_area.h"
#include "shell/welcome_window.h"
#include "temp_folder.h"

namespace qd {
namespace {

class StartWindow : public ::testing::Test, protected testing::ProgramWorld {
protected:
    static void SetUpTestSuite() { testing::gui_application(); }
    StartWindow() {
        windows.define(kStartWindow, [this] {
            return create_start_window(services, {std::string(QUIZDECK_SOURCE_DIR) + "/content/artwork", ""});
        });
    }
    WelcomeWindow& window() {
        return *static_cast<WelcomeWindow*>(static_cast<WidgetWindow&>(windows.load(kStartWindow)).widget());
    }
    void click(const char* name) {
        auto* area = window().findChild<QWidget*>(name);
        ASSERT_NE(area, nullptr) << name;
        QTest::mouseClick(area, Qt::LeftButton);
    }
};

TEST_F(StartWindow, loadGivesTheDesignedSizeColourAndVisibleElements) {
    WelcomeWindow& w = window();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.size(), QSize(6350 / 15, 8090 / 15));
    EXPECT_EQ(w.windowTitle(), kProgramTitle);
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(255, 204, 0));
    EXPECT_FALSE(w.findChild<QLabel*>("Image3")->pixmap().isNull());
    EXPECT_EQ(w.findChild<QLabel*>("Label6")->text(), " Practice Test for:");
    EXPECT_EQ(w.findChild<QLabel*>("test_name")->text().toStdString(), state.bank.exam_title);
    for (const char* hidden : {"Start_Quiz", "cmd_start_real", "help_command", "Command1", "Image1", "test_name",
                               "txtTestDescription", "author_name2", "lRelease", "lblFeedback"})
        EXPECT_FALSE(w.findChild<QWidget*>(hidden)->isVisible()) << hidden;
    // Every link and click area a student needs lies inside the window.
    for (const char* shown : {"Image4_0", "Image4_1", "Image4_2", "Label7", "lblEULALink"}) {
        QWidget* element = w.findChild<QWidget*>(shown);
        EXPECT_TRUE(element->isVisible()) << shown;
        EXPECT_TRUE(w.rect().contains(element->geometry())) << shown;
    }
}

TEST_F(StartWindow, clickAreasOpenHelpLicenceAndGuarantee) {
    click("Image4_1");
    click("lblEULALink");
    click("Label7");
    ASSERT_EQ(shell.opened.size(), 3u);
    EXPECT_EQ(shell.opened[0], (std::pair<std::string, ShowMode>{state.paths.program_folder + "velqor.html", ShowMode::normal}));
    EXPECT_EQ(shell.opened[1].first, "file://" + state.paths.program_folder + "EULA.txt");
    EXPECT_EQ(shell.opened[1].second, ShowMode::maximized);
    EXPECT_EQ(shell.opened[2].first, maker::kGuaranteePage);

    // A program folder whose name a URL would read otherwise still names the licence.
    state.paths.program_folder = "/opt/C# 100%?/";
    click("lblEULALink");
    EXPECT_EQ(QUrl(QString::fromStdString(shell.opened.back().first)).toLocalFile().toStdString(), "/opt/C# 100%?/EULA.txt");
}

TEST_F(StartWindow, startOpensTheMainMenuAndExitEndsTheProgram) {
    std::vector<std::string> events;
    windows.define(kMainMenu, [&] { return std::make_unique<testing::FakeWindow>(kMainMenu, events); });
    window();
    click("Image4_0");
    EXPECT_TRUE(windows.get<testing::FakeWindow>(kMainMenu).visible);
    EXPECT_FALSE(window().isVisible());

    click("Image4_2");
    EXPECT_EQ(process_end.ends, 1);
    EXPECT_FALSE(windows.is_loaded(kMainMenu));
    EXPECT_FALSE(windows.is_loaded(kStartWindow));
}

TEST_F(StartWindow, closingTheStartWindowClosesTheOthersAndEndsTheProgram) {
    std::vector<std::string> events;
    windows.define(kMainMenu, [&] { return std::make_unique<testing::FakeWindow>(kMainMenu, events); });
    windows.load(kMainMenu);
    window().close();
    EXPECT_FALSE(windows.is_loaded(kMainMenu));
    EXPECT_FALSE(windows.is_loaded(kStartWindow));
    EXPECT_GE(process_end.ends, 1);
}

TEST_F(StartWindow, feedbackLinkShowsAfterFourQuizzes) {
    settings.put(setting::num_times("41517"), "4");
    settings.put(setting::survey_done("41517"), "yes");
    auto* link = window().findChild<ClickArea*>("lblFeedback");
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->isVisible());
    EXPECT_EQ(link->text(), "Update Feedback");
    EXPECT_TRUE(window().rect().contains(link->geometry()));
}

TEST_F(StartWindow, screenReadersFindEveryActionByNameAndTheKeyboardReachesThem) {
    settings.put(setting::num_times("41517"), "4");
    WelcomeWindow& w = window();
    std::vector<std::string> events;
    windows.define(kMainMenu, [&] { return std::make_unique<testing::FakeWindow>(kMainMenu, events); });

    // What the accessibility bus offers: the visible, focusable buttons and their names.
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&w);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(QAccessible::Name), kProgramTitle);
    std::vector<QString> actions;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (child->role() != QAccessible::Button || child->state().invisible) continue;
        EXPECT_TRUE(child->state().focusable) << child->text(QAccessible::Name).toStdString();
        EXPECT_TRUE(w.rect().contains(child->rect().translated(-w.mapToGlobal(QPoint(0, 0)))))
            << child->text(QAccessible::Name).toStdString();
        actions.push_back(child->text(QAccessible::Name));
    }
    EXPECT_EQ(actions, (std::vector<QString>{"Start", "Help", "Exit", "Money-back guarantee", "Submit Feedback", "EULA"}));

    // Tab walks the actions in that order; Space and Enter activate the focused one.
    std::vector<QString> tab_order;
    w.findChild<ClickArea*>("Image4_0")->setFocus();
    for (int i = 0; i < 6; ++i) {
        tab_order.push_back(w.focusWidget()->objectName());
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(tab_order, (std::vector<QString>{"Image4_0", "Image4_1", "Image4_2", "Label7", "lblFeedback", "lblEULALink"}));
    auto* help = w.findChild<ClickArea*>("Image4_1");
    help->setFocus();
    QTest::keyClick(help, Qt::Key_Space);
    QTest::keyClick(help, Qt::Key_Return);
    EXPECT_EQ(shell.opened.size(), 2u);
    auto* start = w.findChild<ClickArea*>("Image4_0");
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Enter);
    EXPECT_TRUE(windows.get<testing::FakeWindow>(kMainMenu).visible);
}

TEST_F(StartWindow, helpInTheWorkingFolderIsOpenedByItsName) {
    testing::write_file(folder / "velqor.html", "<html></html>");
    click("Image4_1");
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].first, "velqor.html");
}

// A main menu that takes up a kept quiz, or says why it cannot.
class ResumingMenu final : public testing::FakeWindow, public MainMenuOperations {
public:
    ResumingMenu(std::vector<std::string>& events, std::optional<ResumeRefusal> refusal)
        : FakeWindow(kMainMenu, events), events_(events), refusal_(std::move(refusal)) {}
    std::optional<ResumeRefusal> resume_quiz(std::int64_t id, const std::string& progress) override {
        events_.push_back("resume " + std::to_string(id) + " " + progress);
        return refusal_;
    }

private:
    std::vector<std::string>& events_;
    std::optional<ResumeRefusal> refusal_;
};

// Start with a quiz left open offers it: resumed, put aside after a second
// question, or left for later; a quiz that cannot be taken up is said so.
TEST_F(StartWindow, startOffersTheQuizLeftOpen) {
    const std::string offer = "&Resume the quiz you left at question 17 of 50";
    const struct {
        const char* name;
        int choice;
        std::optional<DialogAnswer> confirm;   // the question before putting it aside
        std::optional<ResumeRefusal> refusal;  // why the main menu cannot take it up
        bool menu_shown;
        std::vector<std::string> told;         // to the study record
        std::vector<std::string> menu_events;  // after the main menu's load
    } cases[] = {
        {"resumed", 0, std::nullopt, std::nullopt, true, {}, {"resume 7 kept"}},
        {"cannot be resumed",
         0,
         std::nullopt,
         ResumeRefusal{"the exam's question 3 has changed", true},
         true,
         {"discard 7"},
         {"resume 7 kept"}},
        {"cannot be resumed now", 0, std::nullopt, ResumeRefusal{"its exam (41518) is not installed"}, true, {}, {"resume 7 kept"}},
        {"put aside", 1, DialogAnswer::yes, std::nullopt, true, {"discard 7"}, {}},
        {"put aside, then not", 1, DialogAnswer::no, std::nullopt, false, {}, {}},
        {"cancelled", 2, std::nullopt, std::nullopt, false, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::RecorderDouble recorder;
        recorder.open = OpenQuiz{7, "41517", 17, 50, "kept"};
        services.recorder = &recorder;
        std::vector<std::string> events;
        windows.define(kMainMenu, [&] { return std::make_unique<ResumingMenu>(events, c.refusal); });
        dialogs.expect_choice("Your last quiz was not finished.", "Resume Quiz", {offer, "Start &Fresh", "&Cancel"}, c.choice);
        if (c.confirm)
            dialogs.expect_message(
                "Put aside the quiz you left at question 17 of 50 for good? Its answers so far stay in your study record.",
                "Start Fresh", *c.confirm);
        if (c.refusal)
            dialogs.expect_message("Sorry, the quiz you left at question 17 of 50 cannot be resumed: " + c.refusal->why +
                                       (c.refusal->for_good ? ". It is put aside; its answers so far stay in your study record."
                                                            : ". It is kept, and Start offers it again next time."),
                                   kProgramTitle);
        click("Image4_0");
        EXPECT_EQ(windows.is_loaded(kMainMenu) && windows.get<testing::FakeWindow>(kMainMenu).visible, c.menu_shown);
        EXPECT_EQ(recorder.told, c.told);
        std::vector<std::string> menu_events = events;
        if (!menu_events.empty()) menu_events.erase(menu_events.begin());  // its load
        EXPECT_EQ(menu_events, c.menu_events);
        windows.unload(kStartWindow);  // with the main menu; the next case starts afresh
        services.recorder = nullptr;
    }
}

}  // namespace
}  // namespace qd
