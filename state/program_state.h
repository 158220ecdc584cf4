#pragma once
// The process-wide state of the exam program, owned by one object that is
// passed to windows and logic by reference.
#include <cstdint>
#include <string>

#include "bank/bank_state.h"
#include "bank/question_table.h"
#include "state/quiz_state.h"
#include "state/retake_handover.h"
#include "state/setup_state.h"

namespace qd {

struct ProgramState {
    QuestionTable table;
    BankState bank;
    ProductPaths paths;
    std::string quality_mailbox;          // the explanation window's feedback address
    std::int16_t drill_screen_start = 0;  // 1 when started as the drill screen
    QuizState quiz;
    SetupState setup;
    RetakeHandover retake;
};

// Addresses on the maker's web and mail servers.
namespace maker {
inline constexpr const char* kMailDomain = "palverapress.example";
inline constexpr const char* kGuaranteePage = "https://www.palverapress.example/legal/money_back_guaran.htm";
inline constexpr const char* kSurveyForm = "https://secure.palverapress.example/survey/survey.asp";
}  // namespace maker

}  // namespace qd
