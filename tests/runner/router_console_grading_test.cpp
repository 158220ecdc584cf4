#include <gtest/gtest.h>

#include <map>

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
    const std::map<std::string, std::string> out_ini{
        {"hostname", "  R1 "}, {"interface fastethernet0/0 ip address", "10.0.0.1 255.255.255.0"}};
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

}  // namespace
}  // namespace qd
