#pragma once
// The drill screen's settings as the main menu's "Drillscreen" tab saves them.
#include "state/user_settings.h"

namespace qd {

struct DrillSettings {
    int answer_delay = 3;     // seconds from the question to its answers
    int highlight_delay = 6;  // seconds from the answers to the right ones lighting up
    bool random_order = false;
};

// "Save Configuration": "aspeed", "cspeed" and "RandQuestions" as plain numbers.
void save_drill_configuration(const DrillSettings& drill, UserSettings& settings);

}  // namespace qd
