#include "platform/testing/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace qd::testing {

ScriptedDialogs::~ScriptedDialogs() {
    EXPECT_TRUE(script_.empty()) << script_.size() << " scripted dialog(s) never shown, first: " << script_.front().text;
}

void ScriptedDialogs::expect_message(std::string text, std::string caption, DialogAnswer answer) {
    Expected expected;
    expected.text = std::move(text);
    expected.caption = std::move(caption);
    expected.answer = answer;
    script_.push_back(std::move(expected));
}

void ScriptedDialogs::expect_choice(std::string text, std::string caption, std::vector<std::string> choices, int answer,
                                    std::function<void()> meanwhile) {
    Expected expected;
    expected.text = std::move(text);
    expected.caption = std::move(caption);
    expected.is_choice = true;
    expected.choices = std::move(choices);
    expected.chosen = answer;
    expected.meanwhile = std::move(meanwhile);
    script_.push_back(std::move(expected));
}

int ScriptedDialogs::choose(const std::string& text, const std::string& caption, const std::vector<std::string>& choices,
                            int safe_choice) {
    shown.push_back("choice: " + caption + ": " + text);
    if (script_.empty() || !script_.front().is_choice) {
        ADD_FAILURE() << "unexpected choice box: " << caption << ": " << text;
        return safe_choice;
    }
    Expected expected = script_.front();
    script_.pop_front();
    EXPECT_EQ(expected.text, text);
    EXPECT_EQ(expected.caption, caption);
    EXPECT_EQ(expected.choices, choices);
    if (expected.meanwhile) expected.meanwhile();
    return expected.chosen;
}

void ScriptedDialogs::expect_input(std::string prompt, std::string title, std::string answer) {
    Expected expected;
    expected.is_input = true;
    expected.text = std::move(prompt);
    expected.caption = std::move(title);
    expected.typed = std::move(answer);
    script_.push_back(std::move(expected));
}

DialogAnswer ScriptedDialogs::message(const std::string& text, const std::string& caption, DialogButtons, DialogIcon) {
    shown.push_back("message: " + caption + ": " + text);
    if (script_.empty() || script_.front().is_input || script_.front().is_choice) {
        ADD_FAILURE() << "unexpected message box: " << caption << ": " << text;
        return DialogAnswer::cancel;
    }
    Expected expected = script_.front();
    script_.pop_front();
    EXPECT_EQ(expected.text, text);
    EXPECT_EQ(expected.caption, caption);
    return expected.answer;
}

std::string ScriptedDialogs::input(const std::string& prompt, const std::string& title, const std::string& initial) {
    shown.push_back("input: " + title + ": " + prompt + " [" + initial + "]");
    if (script_.empty() || !script_.front().is_input) {
        ADD_FAILURE() << "unexpected input box: " << title << ": " << prompt;
        return {};
    }
    Expected expected = script_.front();
    script_.pop_front();
    EXPECT_EQ(expected.text, prompt);
    EXPECT_EQ(expected.caption, title);
    return expected.typed;
}

}  // namespace qd::testing
