#pragma once
// Modal message and input boxes.
#include <string>
#include <vector>

namespace qd {

enum class DialogButtons { ok, ok_cancel, yes_no };
enum class DialogIcon { none, information, warning, error, question };
enum class DialogAnswer { ok, cancel, yes, no };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual DialogAnswer message(const std::string& text, const std::string& caption, DialogButtons buttons, DialogIcon icon) = 0;
    // The text the user entered, or "" when the box was cancelled.
    virtual std::string input(const std::string& prompt, const std::string& title, const std::string& initial) = 0;
    // A question answered by one of the buttons given (captions with "&" before
    // their access keys), in that order: the index of the one chosen. Enter,
    // Escape and the close box choose `safe_choice`.
    virtual int choose(const std::string& text, const std::string& caption, const std::vector<std::string>& choices,
                       int safe_choice) = 0;
};

}  // namespace qd
