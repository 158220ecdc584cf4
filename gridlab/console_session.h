#pragma once
// The console's command interpreter: one session at the device's console,
// from the factory configuration. Each typed line goes in and the console's
// answer comes out as text; the prompt tells the mode.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gridlab/command_matcher.h"
#include "gridlab/command_table.h"
#include "gridlab/device_config.h"
#include "gridlab/session_state.h"

namespace qd::gridlab {

class ConsoleSession {
public:
    explicit ConsoleSession(DeviceModel model);
    // At the console's first prompt, with `start` as the running configuration.
    ConsoleSession(DeviceModel model, DeviceConfig start);

    // "Router>", "SW1(config-if)#", "Password: " while a password is asked for,
    // and nothing while a multi-line banner is being typed.
    std::string prompt() const;

    // Runs one typed line and returns the console's answer (lines ending in "\n").
    // A line ending in "?" lists what may be typed there instead of running it;
    // a Ctrl+Z character in the line ends configuration after the text before it.
    std::string enter(std::string_view line);

    // "?" help for the text typed so far (without the "?").
    std::string help(std::string_view typed);

    // Tab: the typed text with its last word completed, when one keyword fits.
    std::optional<std::string> complete(std::string_view typed) const;

    // Ctrl+Z: leaves the configuration modes for privileged mode.
    std::string end_configuration();

    // Back at the console's first prompt, as after leaving and logging in
    // again: the configuration (and a saved one) stays.
    void return_to_console();

    bool ended() const { return state_.ended; }
    bool asking_password() const { return state_.asking_password; }
    const DeviceConfig& config() const { return config_; }
    Mode mode() const { return state_.mode; }

private:
    const CommandTable& table_for(Mode mode) const;
    MatchPlace match_place(bool negated) const;
    std::string run(std::string_view line, const std::string& shown_prompt);
    std::string continue_banner(std::string_view line);
    std::string check_password(std::string_view line);

    DeviceConfig config_;
    SessionState state_;
    ModeTables tables_;
};

// Control characters (other than tab) become blanks and very long lines are
// cut, so no typed byte can upset the interpreter.
std::string clean_input_line(std::string_view line);

}  // namespace qd::gridlab
