// The download engine's rules that need no server: rate and estimate texts,
// what each proxy mode sends, and the walk over running product windows.
#include <gtest/gtest.h>

#include "platform/curl/curl_transfer.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "updater/engine/check_running_applications.h"
#include "updater/engine/download_texts.h"
#include "updater/engine/set_inet_variables.h"

namespace {

TEST(DownloadTexts, rateFollowsTheTable) {
    const std::pair<double, const char*> cases[] = {
        {0, "0.0 KB/Sec"},       {999, "0.0 KB/Sec"},       {1000, "1 KB/Sec"},        {1400, "1 KB/Sec"},
        {999'400, "999 KB/Sec"}, {1'000'000, "1.0 MB/Sec"}, {2'500'000, "2.5 MB/Sec"}, {3e9, "3.0 GB/Sec"},
    };
    for (auto [rate, text] : cases) EXPECT_EQ(qd::rate_text(rate), text) << rate;
}

TEST(DownloadTexts, estimateKeepsOneDecimalAndTurnsToMinutesAt60Seconds) {
    struct Case {
        int kilobytes;
        float rate;
        const char* value;
        const char* unit;
    };
    const Case cases[] = {
        {312, qd::kRate56k, "1.0", "Min"},  // 60.0 seconds
        {312, qd::kRateT1, "2.1", "Sec"},  {311, qd::kRate56k, "59.8", "Sec"},
        {0, qd::kRateCable, "0.0", "Sec"}, {32767, qd::kRate56k, "105.0", "Min"},
    };
    for (const Case& c : cases) {
        qd::DownloadEstimate estimate = qd::EstimateDownloadTime(c.kilobytes, c.rate);
        EXPECT_EQ(estimate.value, c.value) << c.kilobytes << " at " << c.rate;
        EXPECT_EQ(estimate.unit, c.unit) << c.kilobytes << " at " << c.rate;
    }
}

// Each mode speaks its own protocol, and fields a mode does not use never
// reach the proxy.
TEST(ProxyModes, eachModeSpeaksWhatItsNameSays) {
    struct Case {
        int mode;
        const char* address;
        const char* user;
        const char* password;
    };
    const Case cases[] = {
        {0, "", "", ""},
        {1, "http://10.0.0.1:3128", "ann", "secret"},
        {2, "socks4://10.0.0.1:3128", "ann", ""},
        {3, "socks5h://10.0.0.1:3128", "ann", "secret"},
        {7, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        qd::ProxySettings proxy = qd::proxy_settings_for({c.mode, "10.0.0.1", "3128", "ann", "secret"});
        EXPECT_EQ(qd::curl_proxy_address(proxy), c.address);
        EXPECT_EQ(proxy.user, c.user);
        EXPECT_EQ(proxy.password, c.password);
    }
    // Without a port the proxy's own default applies.
    EXPECT_EQ(qd::curl_proxy_address(qd::proxy_settings_for({3, "proxy.example", "", "", ""})), "socks5h://proxy.example");
}

std::string close_question(const std::string& title) {
    return title + "\n\nThis application must be shut down before updates can continue.\nWould you like to close it now?";
}

TEST(RunningApplications, productWindowsAreClosedOneQuestionEach) {
    qd::testing::FakeTopWindows windows;
    windows.windows = {{1, "Notes"},
                       {2, "GridLab - VELQOR lab 3"},
                       {3, "gridlab velqor tips - microsoft explorer"},
                       {4, "Velqor GRIDLAB console"},
                       {5, "velqor gridlab 9"}};
    qd::testing::ScriptedDialogs dialogs;
    dialogs.expect_message(close_question("GridLab - VELQOR lab 3"), "GridLab - VELQOR lab 3", qd::DialogAnswer::yes);
    dialogs.expect_message(close_question("Velqor GRIDLAB console"), "Velqor GRIDLAB console", qd::DialogAnswer::no);
    // No stops the walk: window 5 is never asked about.
    EXPECT_FALSE(qd::CheckRunningApplications(windows, dialogs));
    EXPECT_EQ(windows.closed, (std::vector<std::uint64_t>{2}));
    EXPECT_EQ(windows.shown, (std::vector<std::uint64_t>{2, 4}));

    qd::testing::ScriptedDialogs none;
    windows.windows = {{1, "Notes"}};
    EXPECT_TRUE(qd::CheckRunningApplications(windows, none));
}

TEST(RunningApplications, twoConsolesOfOneTitleAreEachAskedAndClosed) {
    const std::string title = "Router console - velqor gridlab";
    qd::testing::FakeTopWindows windows;  // a closed window stays listed, as it may for a moment
    windows.windows = {{8, title}, {9, title}};
    qd::testing::ScriptedDialogs dialogs;
    dialogs.expect_message(close_question(title), title, qd::DialogAnswer::yes);
    dialogs.expect_message(close_question(title), title, qd::DialogAnswer::yes);
    EXPECT_TRUE(qd::CheckRunningApplications(windows, dialogs));
    EXPECT_EQ(windows.closed, (std::vector<std::uint64_t>{8, 9}));
    EXPECT_EQ(windows.shown, (std::vector<std::uint64_t>{8, 9}));
}

}  // namespace
