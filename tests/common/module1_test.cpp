#include <gtest/gtest.h>

#include "common/module1.h"
#include "fake_window.h"
#include "platform/testing/doubles.h"
#include "temp_folder.h"

namespace qd {
namespace {

using qd::testing::write_file;

TEST(ReadOutIni, valuesDefaultsAndCuts) {
    testing::TempFolder folder;
    const std::string program_folder = folder.path().string() + "/";
    const std::string out_ini = folder.path().string() + "/out.ini";
    write_file(out_ini,
               "[general]\r\nhostname =  R1 \r\nbanner motd= Authorized  users only \r\nempty=\r\n"
               "long=" +
                   std::string(70, 'x') + "\r\n");
    struct Case {
        const char* key;
        std::string value;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"HOSTNAME", "R1"},
             {"banner motd", "Authorized  users only"},
             {"empty", ""},
             {"long", std::string(59, 'x')},
             {"missing", out_ini.substr(0, 59)},
         }) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(read_out_ini(program_folder, "general", c.key), c.value);
    }
    EXPECT_EQ(read_ini_value("Answer", "result", folder.path().string() + "/none.ini"),
              (folder.path().string() + "/none.ini").substr(0, 59));
}

TEST(ReadOutIni, programFolderAtTheRootGivesOneSeparator) {
    EXPECT_EQ(out_ini_path("/"), "/out.ini");
    EXPECT_EQ(out_ini_path(""), "out.ini");
    EXPECT_EQ(out_ini_path("/opt/quizdeck/"), "/opt/quizdeck/out.ini");
}

TEST(CenterForm, placesTheWindowInTheMiddleEvenWhenItIsLarger) {
    testing::FixedScreen screen(1024, 768, 15);
    std::vector<std::string> events;
    testing::FakeWindow small("small", events, 6000, 4000), large("large", events, 20000, 12000);
    center_form(small, screen);
    EXPECT_EQ(small.left, (15360 - 6000) / 2);
    EXPECT_EQ(small.top, (11520 - 4000) / 2);
    center_form(large, screen);
    EXPECT_EQ(large.left, -2320);
    EXPECT_EQ(large.top, -240);
}

TEST(QuitProgram, closesKnownWindowsInOrderThenEndsTheProcess) {
    std::vector<std::string> events;
    WindowRegistry windows;
    for (const char* name : {"Welcome", "theanswer", "quest", "pick_a_quiz", "finalscore", "Exhibit"})
        windows.define(name, [&events, n = std::string(name)] { return std::make_unique<testing::FakeWindow>(n, events); });
    for (const char* name : {"Welcome", "quest", "pick_a_quiz", "Exhibit"}) windows.load(name);
    events.clear();
    struct RecordingEnd : ProcessEnd {
        explicit RecordingEnd(std::vector<std::string>& e) : events(e) {}
        void end_process() override { events.push_back("end"); }
        std::vector<std::string>& events;
    } end(events);

    quit_program(windows, end);
    EXPECT_EQ(events, (std::vector<std::string>{"unload Exhibit", "unload pick_a_quiz", "unload quest", "unload Welcome", "end"}));
}

TEST(ReturnToMainMenu, hidesTheStartWindowAndAsksItForTheMainMenu) {
    std::vector<std::string> events;
    struct Start : testing::FakeWindow, StartWindowOperations {
        explicit Start(std::vector<std::string>& e) : FakeWindow("Welcome", e), log(e) {}
        void start_quiz_click_sub() override { log.push_back("start_quiz_click_sub"); }
        std::vector<std::string>& log;
    };
    WindowRegistry windows;
    windows.define("Welcome", [&] { return std::make_unique<Start>(events); });
    windows.show("Welcome");
    return_to_main_menu(windows);
    EXPECT_FALSE(windows.load("Welcome").window_visible());
    EXPECT_EQ(events, (std::vector<std::string>{"load Welcome", "start_quiz_click_sub"}));
}

TEST(CloseWindowsTitled, closesEveryWindowWhoseTitleContainsTheTextInExactCase) {
    testing::FakeTopWindows top;
    top.windows = {{1, "Drill Screen - NAVRA"}, {2, "drill screen"}, {3, "My Drill Screen"}, {4, "Editor"}};
    close_windows_titled(top, "Drill Screen");
    EXPECT_EQ(top.closed, (std::vector<std::uint64_t>{1, 3}));
}

TEST(FitListWidth, measuresTheFirstOfTheLongestEntriesWithATrailingBlank) {
    std::string measured;
    auto measure = [&](const std::string& text) {
        measured = text;
        return 100.0 * static_cast<double>(text.size()) + 7.5;
    };
    EXPECT_EQ(list_extent_pixels({"abc", "wxyz", "pqrs", "a"}, measure, 15), (507 / 15));
    EXPECT_EQ(measured, "wxyz ");
    EXPECT_EQ(list_extent_pixels({}, measure, 15), 107 / 15);
    EXPECT_EQ(measured, " ");
}

}  // namespace
}  // namespace qd
