#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "platform/testing/scripted_dialogs.h"
#include "runner/exercises.h"
#include "runner/mail_settings.h"
#include "runner/quiz_timer.h"
#include "temp_folder.h"

namespace qd {
namespace {

TEST(QuizTimer, minutesLeftInTenths_andExpiryOnlyPastTheLimit) {
    struct Case {
        int limit;
        long long elapsed;
        const char* label;
        bool expired;
    };
    for (const Case& c : {Case{1, 30, " 0.5 min.", false}, Case{1, 60, " 0 min.", false}, Case{1, 61, " 0 min.", true},
                          Case{30, 6, " 29.9 min.", false}, Case{30, 0, " 30 min.", false}}) {
        SCOPED_TRACE(c.elapsed);
        const TimerTick tick = timer_tick(c.limit, c.elapsed, "Exam", 3, 50);
        EXPECT_EQ(tick.time_label, c.label);
        EXPECT_EQ(tick.expired, c.expired);
    }
    EXPECT_EQ(timer_tick(1, 30, "Exam", 3, 50).caption, "Practice Test for Exam - Question  3 of 50 ---  Time Left: 0.5 min.");
}

TEST(Exercises, commandLines) {
    QuestionRecord question;
    question.answers[1] = "14 ";
    EXPECT_EQ(router_console_start("/p/", question).arguments, std::vector<std::string>{});
    question.exhibit_files[2] = "2950";
    const ExerciseStart console = router_console_start("/p/", question);
    EXPECT_EQ(console.program, "/p/gridlab");
    EXPECT_EQ(console.arguments, std::vector<std::string>{"2950"});
    const ExerciseStart dnd = exercise_start(InputKind::drag_drop, "/p/", "41519", question);
    EXPECT_EQ(dnd.program, "/p/pvDragnDrop");
    EXPECT_EQ(dnd.arguments, std::vector<std::string>{"41519Q14"});
    question.answers[1] = "";
    EXPECT_EQ(exercise_start(InputKind::ms_sim2, "/p/", "41519", question).program, "/p/Sims/dragset5");
    EXPECT_EQ(exercise_start(InputKind::ms_sim, "/p/", "41519", question).arguments, std::vector<std::string>{"41519Q"});
}

TEST(Exercises, preparationWritesExchangeFiles_andClearsStaleResults) {
    testing::TempFolder folder;
    const std::string working = folder.path().string() + "/";
    QuestionRecord question;
    question.question_text = "Name the router R1";
    testing::write_file(folder / "out.ini", "[Answer]\r\nresult=Success\r\n");
    prepare_exercise(InputKind::drag_drop, question, working);
    EXPECT_NE(take_exercise_result(drag_drop_result_file(working)), "Success");  // the stale result is gone

    testing::write_file(folder / "out.ini", "[general]\r\nhostname=R1\r\n");
    prepare_exercise(InputKind::sim, question, working);
    EXPECT_EQ(testing::read_file(folder / "sim.txt"), "Name the router R1\r\n");
    EXPECT_EQ(testing::read_file(folder / "sim_showme.txt"), "\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "out.ini"));

    // A lab's own starting configuration goes to the console; the next lab without one leaves none behind.
    question.lab_start = "line vty 0 4<br>no login";
    prepare_exercise(InputKind::sim, question, working);
    EXPECT_EQ(testing::read_file(folder / "sim_start.txt"), "line vty 0 4<br>no login\r\n");
    question.lab_start.clear();
    prepare_exercise(InputKind::sim, question, working);
    EXPECT_FALSE(std::filesystem::exists(folder / "sim_start.txt"));

    testing::write_file(folder / "out.ini", "[Answer]\r\nresult=Success\r\n");
    EXPECT_EQ(take_exercise_result(drag_drop_result_file(working)), "Success");
    EXPECT_FALSE(std::filesystem::exists(folder / "out.ini"));  // read once, then gone
}

TEST(MailSettings, webMailAsksUntilCancelled_andCancelKeepsThePreviousType) {
    testing::TempFolder folder;
    IniSettingsStore store{folder / "config"};
    UserSettings settings{store};
    testing::ScriptedDialogs dialogs;
    dialogs.expect_input("Please Enter your Email Address.", "Web Based Mail", "");
    EXPECT_EQ(choose_web_mail(settings, dialogs, "outlook"), "outlook");
    EXPECT_EQ(settings.get(setting::mail_type), "outlook");

    dialogs.expect_input("Please Enter your Email Address.", "Web Based Mail", "me@example.org");
    EXPECT_EQ(choose_web_mail(settings, dialogs, "outlook"), "web");
    EXPECT_EQ(choose_web_mail(settings, dialogs, "web"), "web");  // an address is stored: no question
    dialogs.expect_input("Please Enter your Email Address.", "Web Based Mail", "");
    change_email_address(settings, dialogs);
    EXPECT_EQ(settings.get(setting::email), "me@example.org");
    EXPECT_EQ(dialogs.shown.back(), "input: Web Based Mail: Please Enter your Email Address. [me@example.org]");
}

}  // namespace
}  // namespace qd
