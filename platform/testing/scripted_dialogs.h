#pragma once
// Dialogs for tests: each expected box is scripted with its text and the
// answer to give; a box nobody expected, or one with other text, fails the test.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace qd::testing {

class ScriptedDialogs final : public Dialogs {
public:
    ~ScriptedDialogs() override;

    void expect_message(std::string text, std::string caption, DialogAnswer answer = DialogAnswer::ok);
    void expect_input(std::string prompt, std::string title, std::string answer);
    // A choice among buttons: their captions must be `choices`; `meanwhile`
    // runs while the box is up, as events do under a real modal box.
    void expect_choice(std::string text, std::string caption, std::vector<std::string> choices, int answer,
                       std::function<void()> meanwhile = {});

    DialogAnswer message(const std::string& text, const std::string& caption, DialogButtons buttons, DialogIcon icon) override;
    std::string input(const std::string& prompt, const std::string& title, const std::string& initial) override;
    int choose(const std::string& text, const std::string& caption, const std::vector<std::string>& choices,
               int safe_choice) override;

    // What each box showed, in order ("message: caption: text", "input: title: prompt [initial]").
    std::vector<std::string> shown;

private:
    struct Expected {
        bool is_input = false;
        std::string text;
        std::string caption;
        DialogAnswer answer = DialogAnswer::ok;
        std::string typed;
        bool is_choice = false;
        std::vector<std::string> choices;
        int chosen = -1;
        std::function<void()> meanwhile;
    };
    std::deque<Expected> script_;
};

}  // namespace qd::testing
