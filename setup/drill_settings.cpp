#include "setup/drill_settings.h"

#include <string>

#include "common/guarded_steps.h"

namespace qd {

void save_drill_configuration(const DrillSettings& drill, UserSettings& settings) {
    silent_step([&] { settings.put(setting::answer_speed, std::to_string(drill.answer_delay)); });
    silent_step([&] { settings.put(setting::highlight_speed, std::to_string(drill.highlight_delay)); });
    silent_step([&] { settings.put(setting::random_drill_questions, drill.random_order ? "1" : "0"); });
}

}  // namespace qd
