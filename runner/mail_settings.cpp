#include "runner/mail_settings.h"

namespace qd {
namespace {

constexpr const char* kPrompt = "Please Enter your Email Address.";
constexpr const char* kTitle = "Web Based Mail";

}  // namespace

std::string choose_mail_program(UserSettings& settings) {
    settings.put(setting::mail_type, kMailProgram);
    return kMailProgram;
}

std::string choose_web_mail(UserSettings& settings, Dialogs& dialogs, const std::string& previous_type) {
    if (settings.get(setting::email).empty()) {
        const std::string address = dialogs.input(kPrompt, kTitle, "");
        if (address.empty()) return previous_type;  // cancelled: nothing changes
        settings.put(setting::email, address);
    }
    settings.put(setting::mail_type, kWebMail);
    return kWebMail;
}

void change_email_address(UserSettings& settings, Dialogs& dialogs) {
    const std::string address = dialogs.input(kPrompt, kTitle, settings.get(setting::email));
    if (!address.empty()) settings.put(setting::email, address);
}

}  // namespace qd
