#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "runner/router_console_grading.h"

namespace qd {
namespace {

QuestionRecord lab(std::initializer_list<std::string> expectations) {
    QuestionRecord record;
    int slot = 1;
    for (const auto& expectation : expectations) record.answers[slot++] = expectation;
    return record;
}

TEST(RouterConsoleGrading, comparesEachExpectationTrimmedAndCaseBlind) {
    const std::map<std::string, std::string> out_ini{{"hostname", "  R1 "},
                                                     {"interface fastethernet0/0 ip address", "10.0.0.1 255.255.255.0"}};
    const auto reader = [&](const std::string& key) {
        auto found = out_ini.find(key);
        return found == out_ini.end() ? std::string("/work/out.ini") : found->second;
    };
    struct Case {
        const char* name;
        QuestionRecord question;
        bool right;
    };
    const Case cases[] = {
        {"all met", lab({"[hostname]r1", "[interface fastethernet0/0 ip address] 10.0.0.1 255.255.255.0"}), true},
        {"one value differs", lab({"[hostname]R2", "[interface fastethernet0/0 ip address]10.0.0.1 255.255.255.0"}), false},
        {"key missing from the file", lab({"[hostname]R1", "[enable secret]s3cret"}), false},
        {"slots without ] are no expectations", lab({"no bracket here", ""}), true},
        {"an expectation of an empty value needs an empty value", lab({"[banner motd]"}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(router_console_expectations_met(c.question, reader), c.right);
    }
}

TEST(RouterConsoleGrading, findingsGiveEachExpectationWithWhatTheFileHeld) {
    const std::map<std::string, std::string> out_ini{{"hostname", "  r1 "}, {"banner motd", ""}, {"enable secret", "marble"}};
    const auto entry = [&](const std::string& key) -> std::optional<std::string> {
        auto found = out_ini.find(key);
        if (found == out_ini.end()) return std::nullopt;
        return found->second;
    };
    const QuestionRecord question = lab(
        {"[hostname]R1 ", "[line vty 0 4 password]quartz", "[banner motd]", "[enable secret]marble7", "a note, no expectation"});
    const std::vector<LabFinding> findings = router_console_findings(question, entry);
    ASSERT_EQ(findings.size(), 4u);
    struct Expected {
        const char* key;
        const char* expected;
        const char* found;
        bool present;
        bool right;
    };
    const Expected expected[] = {{"hostname", "R1", "r1", true, true},
                                 {"line vty 0 4 password", "quartz", "", false, false},
                                 {"banner motd", "", "", true, true},
                                 {"enable secret", "marble7", "marble", true, false}};
    for (std::size_t i = 0; i < findings.size(); ++i) {
        SCOPED_TRACE(expected[i].key);
        EXPECT_EQ(findings[i].key, expected[i].key);
        EXPECT_EQ(findings[i].expected, expected[i].expected);
        EXPECT_EQ(findings[i].found, expected[i].found);
        EXPECT_EQ(findings[i].present, expected[i].present);
        EXPECT_EQ(findings[i].right, expected[i].right);
    }
}

}  // namespace
}  // namespace qd
