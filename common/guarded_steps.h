#pragma once
// Failure handling per step: a step that fails is skipped and the procedure
// goes on with its next step. Guarded procedures log the failure first.
//
// The student sees nothing of a swallowed failure, so a developer can: with
// QUIZDECK_TRACE_STEPS=1 in the environment every failed step is written to
// standard error with its procedure and place, and a programming error
// (std::logic_error and its kinds: a bad index, a bad argument) always goes
// into "error.log" as well.
#include <exception>
#include <source_location>
#include <string>
#include <utility>

#include "common/error_log.h"
#include "platform/failure.h"

namespace qd {

// The labels a guarded procedure writes into "error.log".
struct GuardLabels {
    const char* handler;
    const char* source;
};

namespace guard {
inline constexpr GuardLabels main_menu_load{"pick_a_quiz form load()", "pick_a_quiz"};
inline constexpr GuardLabels main_menu_activate{"pick_a_quiz form Activate()", "pick_a_quiz"};
inline constexpr GuardLabels quiz_load{"quest form Load()", "quest3"};
inline constexpr GuardLabels quiz_activate{"quest form Activate()", "quest3"};
inline constexpr GuardLabels show_quest{"show_quest()", "quest3"};
inline constexpr GuardLabels quiz_timer{"timer1_timer()", "quest3"};
inline constexpr GuardLabels launch_dnd{"launch_dnd()", "quest3"};
inline constexpr GuardLabels launch_mssim{"launch_MSsim()", "quest3"};  // also used by launch_MSsim2
inline constexpr GuardLabels flash_cards_load{"Security form load()", "sec_form"};
inline constexpr GuardLabels results_load{"finalscore form Load()", "finalscore "};
inline constexpr GuardLabels start_window_load{"Welcome form load()", "Welcome"};
inline constexpr GuardLabels start_window_activate{"Welcome form Activate()", "Welcome"};
inline constexpr GuardLabels start_quiz_click{"start_quiz_click_sub()", "Welcome"};
// Not a procedure: what the settings store and the router console find in their files' places.
inline constexpr GuardLabels settings_files{"settings store", "settings"};
inline constexpr GuardLabels console_files{"router console", "gridlab"};
inline constexpr GuardLabels quiz_start_files{"start_the_quiz_from_command1()", "pick_a_quiz"};
}  // namespace guard

// Tells a developer of a failure a step swallowed (see above). `logged` says
// the step's procedure has written it into "error.log" already.
void report_swallowed_failure(const std::exception& error, const std::source_location& where, bool logged) noexcept;

class GuardedProcedure {
public:
    GuardedProcedure(const ErrorLog& log, GuardLabels labels) : log_(log), labels_(labels) {}

    template <class Step>
    void step(Step&& run, std::source_location where = std::source_location::current()) const noexcept {
        try {
            std::forward<Step>(run)();
        } catch (const Failure& failure) {
            log_.append(labels_.handler, labels_.source, failure.code(), failure.description());
            report_swallowed_failure(failure, where, true);
        } catch (const std::exception& error) {
            log_.append(labels_.handler, labels_.source, static_cast<int>(FailureCode::unexpected), error.what());
            report_swallowed_failure(error, where, true);
        }
    }

private:
    const ErrorLog& log_;
    GuardLabels labels_;
};

// A step of an unguarded procedure: its failure is passed over.
template <class Step>
void silent_step(Step&& run, std::source_location where = std::source_location::current()) noexcept {
    try {
        std::forward<Step>(run)();
    } catch (const std::exception& error) {
        report_swallowed_failure(error, where, false);
    }
}

}  // namespace qd
