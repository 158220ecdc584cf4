#pragma once
// The student's mail choice: the desktop's mail program or a web mail form,
// and the student's own address that the web form needs.
#include <string>

#include "platform/dialogs.h"
#include "state/user_settings.h"

namespace qd {

inline constexpr const char* kMailProgram = "outlook";
inline constexpr const char* kWebMail = "web";

// Stores the mail program as the mail type; returns the new type.
std::string choose_mail_program(UserSettings& settings);

// Stores web mail as the mail type and, while no address is stored, asks for
// one. A cancelled question keeps the previous type and returns it.
std::string choose_web_mail(UserSettings& settings, Dialogs& dialogs, const std::string& previous_type);

// Asks for the address, prefilled with the stored one; an empty answer keeps it.
void change_email_address(UserSettings& settings, Dialogs& dialogs);

}  // namespace qd
