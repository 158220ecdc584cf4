#pragma once
// Dialogs for tests: each expected box is scripted with its text and the
// answer to give; a box nobody expected, or one with other text, fails the test.
#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace qd::testing {

class ScriptedDialogs final : public Dialogs {
public:
    ~ScriptedDialogs() override;

    void expect_message(std::string text, std::string caption, DialogAnswer answer = DialogAnswer::ok);
    void expect_input(std::string prompt, std::string title, std::string answer);

    DialogAnswer message(const std::string& text, const std::string& caption, DialogButtons buttons, DialogIcon icon) override;
    std::string input(const std::string& prompt, const std::string& title, const std::string& initial) override;

    // What each box showed, in order ("message: caption: text", "input: title: prompt [initial]").
    std::vector<std::string> shown;

private:
    struct Expected {
        bool is_input;
        std::string text;
        std::string caption;
        DialogAnswer answer;
        std::string typed;
    };
    std::deque<Expected> script_;
};

}  // namespace qd::testing
