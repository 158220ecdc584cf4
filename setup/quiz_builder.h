#pragma once
// The quiz builder: turns the main menu's choices into a quiz (which table
// records are asked, in which order), copies the options into the working
// values, opens the quiz window and shows its first question.
#include <functional>
#include <string>

#include "bank/bank_state.h"
#include "bank/question_table.h"
#include "common/window_registry.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_for_writing.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "setup/menu_choices.h"
#include "state/quiz_state.h"
#include "state/retake_handover.h"
#include "state/setup_state.h"
#include "state/user_settings.h"

namespace qd {

inline constexpr int kLongestExamQuiz = 50;
inline constexpr const char* kNothingToRetakeMessage = "You did not get any wrong.";

// What the builder reads and fills.
struct QuizWorld {
    QuestionTable& table;
    BankState& bank;
    QuizState& quiz;
    SetupState& setup;
    RetakeHandover& retake;
    UserSettings& settings;
    Dialogs& dialogs;
    Random& random;
    const Clock& clock;  // the quiz's start time for a timed quiz
    WindowRegistry& windows;
    const Screen& screen;
    std::function<void(bool busy)> set_busy_pointer;  // the hourglass over the main menu
    FileNotice notice = {};                           // hears of a results file too large to be read whole
};

// The student name as results and history are filed under: upper case, "STUDENT"
// when empty or blank, every character other than A-Z, 0-9 and the blank
// replaced by a blank (one per character, so the length in characters stays).
std::string stored_student_name(const std::string& typed);

// Loads the bank of exam option 1, 2 or 3 (first part, second part, full exam).
void load_exam_bank(int option, QuestionTable& table, BankState& bank);

// start_the_quiz_from_command1. Each step that fails is skipped.
void start_the_quiz_from_command1(const MenuChoices& boxes, QuizWorld& world);

}  // namespace qd
