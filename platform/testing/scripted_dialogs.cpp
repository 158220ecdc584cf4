#include "platform/testing/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace qd::testing {

ScriptedDialogs::~ScriptedDialogs() {
    EXPECT_TRUE(script_.empty()) << script_.size() << " scripted dialog(s) never shown, first: " << script_.front().text;
}

void ScriptedDialogs::expect_message(std::string text, std::string caption, DialogAnswer answer) {
    script_.push_back({false, std::move(text), std::move(caption), answer, {}});
}

void ScriptedDialogs::expect_input(std::string prompt, std::string title, std::string answer) {
    script_.push_back({true, std::move(prompt), std::move(title), DialogAnswer::ok, std::move(answer)});
}

DialogAnswer ScriptedDialogs::message(const std::string& text, const std::string& caption, DialogButtons, DialogIcon) {
    shown.push_back("message: " + caption + ": " + text);
    if (script_.empty() || script_.front().is_input) {
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
