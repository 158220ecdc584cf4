#pragma once
// The main menu's settings commands: applying the stored settings to the
// boxes at load, Save Settings, and the two presets. Each step fails alone.
#include <cstdint>
#include <string>

#include "common/guarded_steps.h"
#include "platform/dialogs.h"
#include "setup/menu_choices.h"
#include "state/user_settings.h"

namespace qd {

inline constexpr const char* kSettingsSavedMessage = "User Settings have been saved.";
inline constexpr const char* kPracticeModeMessage = "User Settings have been changed to enhance learning.";
inline constexpr const char* kPracticeModeCaption = "User Settings";
inline constexpr const char* kTestModeMessage = "User Settings have been changed to simulate the actual exam.";

// A whole number that fits a 16-bit value; throws a type-mismatch Failure otherwise.
std::int16_t to_int16(double value);

// The first seven steps of the settings load: the name, the working values,
// "Show # of Answers", the embed value and the radio box. Failures go to the
// load's error log. Returns whether the settings were ever saved.
bool load_user_settings(UserSettings& settings, MenuChoices& boxes, const GuardedProcedure& load);
// The last step: only after a Save Settings do the stored options reach the boxes.
void load_saved_options(const UserSettings& settings, MenuChoices& boxes, const GuardedProcedure& load, bool saved);

// Writes the boxes to the store, skipping a step that fails (a time box that
// holds no number keeps the stored time), then says so.
void savesettings_Click(const MenuChoices& boxes, UserSettings& settings, Dialogs& dialogs);

// The presets change the boxes and the practice-mode flag only; the caller
// shows the boxes, then the preset's message.
void restore_defaults_Click(MenuChoices& boxes, WorkingSettings& working);
void Command2_Click(MenuChoices& boxes, WorkingSettings& working);

}  // namespace qd
