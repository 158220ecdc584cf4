#include <gtest/gtest.h>

#include <filesystem>

#include "../common/fake_window.h"
#include "common/module1.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "program_world.h"
#include "shell/start_up.h"
#include "temp_folder.h"

namespace qd {
namespace {

using qd::testing::read_file;

class FakeView : public StartWindowView {
public:
    void show_loading_notice() override { calls.push_back("loading shown"); }
    void close_loading_notice() override { calls.push_back("loading closed"); }
    void set_start_window_visible(bool v) override {
        visible = v;
        calls.push_back(v ? "visible" : "hidden");
    }
    void set_busy_pointer(bool busy) override { calls.push_back(busy ? "busy" : "normal pointer"); }
    void set_description_caption(const std::string& text) override {
        if (fail_description) throw Failure(FailureCode::unexpected, "label gone");
        description = text;
    }
    void set_release_caption(const std::string& text) override { release = text; }
    void apply_appearance() override { calls.push_back("appearance"); }
    void set_title_caption(const std::string& text) override { title = text; }
    void set_label6_caption(const std::string& text) override { label6 = text; }
    void show_feedback_link() override { feedback_shown = true; }
    void set_feedback_caption(const std::string& text) override { feedback_caption = text; }
    void center_on_screen() override { calls.push_back("centred"); }

    std::vector<std::string> calls;
    bool visible = false, feedback_shown = false, fail_description = false;
    std::string description, release, title, label6, feedback_caption = "Submit Feedback";
};

class StartUp : public ::testing::Test, protected testing::ProgramWorld {
protected:
    void run(const std::string& command_line = "") {
        run_start_up(state, settings, log, view, windows, dialogs, {"/opt/quizdeck", command_line});
    }
    FakeView view;
};

TEST_F(StartUp, firstStartLoadsTheFirstPartExamAndShowsTheStartWindow) {
    settings.working.practice_mode = 0;
    run();
    EXPECT_EQ(state.paths.program_folder, "/opt/quizdeck/");
    EXPECT_EQ(state.paths.data_folder, "/opt/quizdeck/pv_navra/");
    EXPECT_EQ(state.bank.product_number, "41517");
    EXPECT_EQ(state.quality_mailbox, "qc_pv_navra@palverapress.example");
    EXPECT_EQ(settings.working.practice_mode, -1);
    EXPECT_EQ(state.quiz.quiz_length, state.bank.question_count / 4);
    EXPECT_EQ(state.table.at(1).question_id, 1);
    EXPECT_EQ(state.table.at(900).question_id, 900);
    EXPECT_EQ(view.title, state.bank.exam_title);
    EXPECT_EQ(view.release, "5.56");
    EXPECT_EQ(view.label6, " Practice Test for:");
    EXPECT_FALSE(view.feedback_shown);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"loading shown", "hidden", "busy", "loading closed", "appearance",
                                                    "normal pointer", "centred", "visible", "visible"}));
    EXPECT_EQ(read_file("file.wrt"), "TEST\r\n");
    EXPECT_FALSE(std::filesystem::exists("error.log"));
}

TEST_F(StartUp, existingWritableCheckFileIsLeftAlone) {
    testing::write_file("file.wrt", "OLD");
    run();
    EXPECT_EQ(read_file("file.wrt"), "OLD");
}

TEST_F(StartUp, folderThatCannotBeWrittenShowsThePermissionMessageAndGoesOn) {
    // A check file that cannot be created, whoever runs the test.
    std::filesystem::create_symlink(folder / "no-such-folder" / "file.wrt", "file.wrt");
    dialogs.expect_message("You do not appear to have file system permissions.  Please log off and log on as administrator.",
                           "File Permissions");
    run();
    EXPECT_TRUE(view.visible);
}

TEST_F(StartUp, feedbackLinkAppearsAfterMoreThanThreeQuizzes) {
    struct Case {
        const char* num_times;  // nullptr: never stored
        const char* survey_done;
        bool shown;
        const char* caption;
    };
    for (const Case& c : std::initializer_list<Case>{{nullptr, nullptr, false, "Submit Feedback"},
                                                     {"3", "yes", false, "Submit Feedback"},
                                                     {"4", nullptr, true, "Submit Feedback"},
                                                     {"12", "no", true, "Submit Feedback"},
                                                     {"4", "yes", true, "Update Feedback"},
                                                     {"4", "YES", true, "Submit Feedback"}}) {
        SCOPED_TRACE(std::string(c.num_times ? c.num_times : "-") + "/" + (c.survey_done ? c.survey_done : "-"));
        testing::TempFolder fresh;
        IniSettingsStore fresh_store(fresh / "config");
        UserSettings fresh_settings(fresh_store);
        if (c.num_times) fresh_settings.put(setting::num_times("41517"), c.num_times);
        if (c.survey_done) fresh_settings.put(setting::survey_done("41517"), c.survey_done);
        FakeView fresh_view;
        ProgramState fresh_state;
        run_start_up(fresh_state, fresh_settings, log, fresh_view, windows, dialogs, {"/opt/quizdeck", ""});
        EXPECT_EQ(fresh_view.feedback_shown, c.shown);
        EXPECT_EQ(fresh_view.feedback_caption, c.caption);
    }
}

TEST_F(StartUp, drillScreenCommandLineMustBeginWithTheFourLetters) {
    struct Case {
        const char* command_line;
        int flag;
    };
    for (const Case& c : std::initializer_list<Case>{{"aaaa", 1}, {"aaaab x", 1}, {"AAAA", 0}, {" aaaa", 0}, {"aaa", 0}, {"", 0}}) {
        SCOPED_TRACE(c.command_line);
        ProgramState fresh_state;
        FakeView fresh_view;
        run_start_up(fresh_state, settings, log, fresh_view, windows, dialogs, {"/opt/quizdeck", c.command_line});
        EXPECT_EQ(fresh_state.drill_screen_start, c.flag);
        EXPECT_TRUE(fresh_view.visible);  // no drill screen in this program yet: the start window stays
    }
}

TEST_F(StartUp, drillScreenStartOpensTheDrillScreenInsteadOfTheStartWindow) {
    std::vector<std::string> events;
    windows.define(kFlashCardWindow, [&] { return std::make_unique<testing::FakeWindow>(kFlashCardWindow, events); });
    run("aaaa");
    EXPECT_FALSE(view.visible);
    ASSERT_TRUE(windows.is_loaded(kFlashCardWindow));
    EXPECT_TRUE(windows.find(kFlashCardWindow)->window_visible());
}

TEST_F(StartUp, failedStepIsLoggedAndTheRestOfTheStartUpRuns) {
    view.fail_description = true;
    run();
    EXPECT_EQ(read_file("error.log"), "D - Welcome form load() - Welcome1000 - label gone - \r\n");
    EXPECT_EQ(view.release, "5.56");
    EXPECT_TRUE(view.visible);
}

class StartQuiz : public ::testing::Test {
protected:
    StartQuiz() {
        windows.define(kStartWindow, [this] { return std::make_unique<testing::FakeWindow>(kStartWindow, events); });
        windows.show(kStartWindow);
    }
    void define_main_menu() {
        windows.define(kMainMenu, [this] { return std::make_unique<testing::FakeWindow>(kMainMenu, events, 9000, 6000); });
    }
    testing::TempFolder folder;
    testing::FixedClock clock{"D"};
    ErrorLog log{clock};
    testing::FixedScreen screen;
    WindowRegistry windows;
    std::vector<std::string> events;
};

TEST_F(StartQuiz, loadsTheMainMenuOnceCentresAndShowsItAndHidesTheStartWindow) {
    define_main_menu();
    start_quiz_click_sub(windows, screen, log);
    auto& menu = windows.get<testing::FakeWindow>(kMainMenu);
    EXPECT_TRUE(menu.visible);
    EXPECT_EQ(menu.left, (15360 - 9000) / 2);
    EXPECT_FALSE(windows.find(kStartWindow)->window_visible());

    start_quiz_click_sub(windows, screen, log);  // already loaded: its load does not run again
    windows.unload(kMainMenu);
    start_quiz_click_sub(windows, screen, log);  // unloaded after a quiz: it loads afresh
    EXPECT_EQ(events, (std::vector<std::string>{"load Welcome", "load pick_a_quiz", "unload pick_a_quiz", "load pick_a_quiz"}));
    EXPECT_FALSE(std::filesystem::exists("error.log"));
}

TEST_F(StartQuiz, withoutAMainMenuTheFailuresAreLoggedAndTheStartWindowStays) {
    start_quiz_click_sub(windows, screen, log);
    EXPECT_TRUE(windows.find(kStartWindow)->window_visible());
    std::string lines = read_file("error.log");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4);
    EXPECT_EQ(lines.rfind("D - start_quiz_click_sub() - Welcome5 - Unknown window pick_a_quiz - \r\n", 0), 0u);
}

TEST(Survey, addressCarriesProductEmailAndTitleWithHashEscaped) {
    EXPECT_EQ(survey_address("41517", "a+b@example.org", "Exam #1 & more"),
              "https://secure.palverapress.example/survey/survey.asp?prodid=41517&email=a+b@example.org&name=Exam %231 & more");
}

TEST(Survey, clickAsksForTheAddressOnceAndOpensTheSurvey) {
    testing::TempFolder folder;
    IniSettingsStore store(folder / "config");
    UserSettings settings(store);
    ProgramState state;
    state.bank.product_number = "41517";
    state.bank.exam_title = "NAVRA VIZIZ Exam";
    testing::RecordingShell shell;
    const std::string confirm =
        "You will need a internet connection to do this.\r\nWe will now launch a web browser to connect to our site.";
    {
        testing::ScriptedDialogs dialogs;
        dialogs.expect_message(confirm, "Submit Feedback", DialogAnswer::cancel);
        feedback_survey_click(state, settings, dialogs, shell);
        EXPECT_TRUE(shell.opened.empty());
    }
    {
        testing::ScriptedDialogs dialogs;
        dialogs.expect_message(confirm, "Submit Feedback", DialogAnswer::ok);
        dialogs.expect_input("Please Enter your Email Address.", "Web Based Mail", "jo@example.org");
        feedback_survey_click(state, settings, dialogs, shell);
    }
    {
        testing::ScriptedDialogs dialogs;  // the stored address is used without asking
        dialogs.expect_message(confirm, "Submit Feedback", DialogAnswer::ok);
        feedback_survey_click(state, settings, dialogs, shell);
    }
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1].first, survey_address("41517", "jo@example.org", "NAVRA VIZIZ Exam"));
    EXPECT_EQ(shell.opened[1].second, ShowMode::maximized);
    EXPECT_EQ(settings.get(setting::email), "jo@example.org");
    EXPECT_EQ(settings.get(setting::survey_done("41517")), "yes");
}

TEST(Survey, cancelledAddressPromptStoresAnEmptyAddressAndStillOpens) {
    testing::TempFolder folder;
    IniSettingsStore store(folder / "config");
    UserSettings settings(store);
    ProgramState state;
    state.bank.product_number = "41517";
    testing::RecordingShell shell;
    testing::ScriptedDialogs dialogs;
    dialogs.expect_message(
        "You will need a internet connection to do this.\r\nWe will now launch a web browser to connect to our site.",
        "Submit Feedback", DialogAnswer::ok);
    dialogs.expect_input("Please Enter your Email Address.", "Web Based Mail", "");
    feedback_survey_click(state, settings, dialogs, shell);
    EXPECT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(store.get(kTestApplication, "order", "email", "unset"), "");
}

}  // namespace
}  // namespace qd
