#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <stdexcept>

#include "common/guarded_steps.h"
#include "platform/testing/doubles.h"
#include "temp_folder.h"

namespace qd {
namespace {

using qd::testing::read_file;

TEST(ErrorLog, entryLayout) {
    struct Case {
        GuardLabels labels;
        int code;
        const char* description;
        const char* line;
    };
    for (const Case& c : std::initializer_list<Case>{
             {guard::main_menu_load, 13, "Type mismatch", "D T - pick_a_quiz form load() - pick_a_quiz13 - Type mismatch - \r\n"},
             {guard::results_load, 9, "x", "D T - finalscore form Load() - finalscore 9 - x - \r\n"},
             {guard::start_window_load, -1, "", "D T - Welcome form load() - Welcome-1 -  - \r\n"},
         }) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ErrorLog::format_entry("D T", c.labels.handler, c.labels.source, c.code, c.description), c.line);
    }
}

TEST(ErrorLog, firstEntryCreatesTheFileAndLaterOnesAppend) {
    testing::TempFolder folder;
    testing::FixedClock clock("12/10/2026 09:30:00");
    ErrorLog log(clock);
    log.append("a()", "src", 5, "one");
    EXPECT_EQ(read_file("error.log"), "12/10/2026 09:30:00 - a() - src5 - one - \r\n");
    log.append("b()", "src", 6, "two");
    EXPECT_EQ(read_file("error.log"), "12/10/2026 09:30:00 - a() - src5 - one - \r\n12/10/2026 09:30:00 - b() - src6 - two - \r\n");
}

TEST(ErrorLog, unwritableLogDoesNotStopTheProcedure) {
    testing::TempFolder folder;
    testing::FixedClock clock;
    ErrorLog log(clock, folder / "missing-folder" / "error.log");
    GuardedProcedure procedure(log, guard::start_window_load);
    int steps_run = 0;
    procedure.step([] { throw Failure(FailureCode::file_access_error, "disk full"); });
    procedure.step([&] { ++steps_run; });
    EXPECT_EQ(steps_run, 1);
}

TEST(GuardedProcedure, eachFailedStepIsLoggedAndLaterStepsStillRun) {
    testing::TempFolder folder;
    testing::FixedClock clock("D");
    ErrorLog log(clock);
    GuardedProcedure procedure(log, guard::launch_mssim);
    std::vector<int> ran;
    procedure.step([&] { ran.push_back(1); });
    procedure.step([&] { throw Failure(FailureCode::index_out_of_range, "bad index"); });
    procedure.step([&] { ran.push_back(3); });
    procedure.step([&] { throw std::runtime_error("surprise"); });
    procedure.step([&] { ran.push_back(5); });
    EXPECT_EQ(ran, (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(read_file("error.log"),
              "D - launch_MSsim() - quest39 - bad index - \r\nD - launch_MSsim() - quest31000 - surprise - \r\n");
}

TEST(SilentStep, failureIsPassedOverWithoutALog) {
    testing::TempFolder folder;
    bool later = false;
    silent_step([] { throw Failure(FailureCode::unexpected, "x"); });
    silent_step([&] { later = true; });
    EXPECT_TRUE(later);
    EXPECT_FALSE(std::filesystem::exists("error.log"));
}

// QUIZDECK_TRACE_STEPS set to `value` for one scope; nullptr leaves it unset.
class TraceSetting {
public:
    explicit TraceSetting(const char* value) {
        if (value) setenv("QUIZDECK_TRACE_STEPS", value, 1);
        else unsetenv("QUIZDECK_TRACE_STEPS");
    }
    ~TraceSetting() { unsetenv("QUIZDECK_TRACE_STEPS"); }
};

TEST(SilentStep, tracesWhatItSwallowsOnRequestAndAlwaysLogsAProgrammingError) {
    struct Case {
        const char* trace;
        bool programming_error;
        bool traced;
    };
    for (const Case& c : {Case{nullptr, false, false}, Case{"0", false, false}, Case{"1", false, true}, Case{nullptr, true, false},
                          Case{"1", true, true}}) {
        SCOPED_TRACE(std::string(c.trace ? c.trace : "unset") + (c.programming_error ? ", logic error" : ", failure"));
        testing::TempFolder folder;
        const TraceSetting trace(c.trace);
        const int line = __LINE__ + 2;  // the line of the silent_step call
        ::testing::internal::CaptureStderr();
        silent_step([&] {
            if (c.programming_error) throw std::out_of_range("index 2001 is outside the table");
            throw Failure(FailureCode::file_not_found, "no exhibit r9.txt");
        });
        const std::string traced = ::testing::internal::GetCapturedStderr();
        const std::string what = c.programming_error ? "index 2001 is outside the table" : "no exhibit r9.txt";
        const std::string place = "error_log_test.cpp:" + std::to_string(line);
        if (c.traced) {
            EXPECT_NE(traced.find("TestBody"), std::string::npos) << traced;  // the procedure
            EXPECT_NE(traced.find(place + ": " + what + "\n"), std::string::npos) << traced;
        } else {
            EXPECT_EQ(traced, "");
        }
        const std::string log = read_file("error.log");
        if (c.programming_error) {
            EXPECT_NE(log.find("TestBody"), std::string::npos) << log;
            EXPECT_NE(log.find(" - " + place + " 1001 - " + what + " - \r\n"), std::string::npos) << log;
        } else {
            EXPECT_EQ(log, "");
        }
    }
}

TEST(GuardedProcedure, tracesItsFailedStepsAndLogsEachOnce) {
    testing::TempFolder folder;
    const TraceSetting trace("1");
    testing::FixedClock clock("D");
    ErrorLog log(clock);
    GuardedProcedure procedure(log, guard::show_quest);
    ::testing::internal::CaptureStderr();
    procedure.step([] { throw std::invalid_argument("no such answer slot"); });
    const std::string traced = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(traced.find(": no such answer slot\n"), std::string::npos) << traced;
    EXPECT_EQ(read_file("error.log"), "D - show_quest() - quest31000 - no such answer slot - \r\n");
}

}  // namespace
}  // namespace qd
