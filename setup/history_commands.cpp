#include "setup/history_commands.h"

#include <filesystem>

#include "common/guarded_steps.h"
#include "common/module1.h"
#include "common/program_title.h"

namespace qd {

void view_test_score_history(const std::string& product_number, const std::string& student_name, Dialogs& dialogs, Shell& shell) {
    std::string report;
    bool exists = true;
    silent_step([&] {
        report = history_report_name(product_number, student_name);
        std::error_code error;
        exists = std::filesystem::exists(report, error);
    });
    if (!exists) {
        silent_step([&] {
            dialogs.message("No history found for user " + student_name + ".  Please take a quiz first and try again.",
                            kProgramTitle, DialogButtons::ok, DialogIcon::information);
        });
        return;
    }
    shell_open(shell, report, ShowMode::maximized);
}

void reset_user_history(const std::string& product_number, const std::string& student_name, MissedFlags& missed_flags,
                        Dialogs& dialogs) {
    DialogAnswer answer = DialogAnswer::no;
    silent_step([&] {
        answer = dialogs.message("Are you sure you want to clear all history for user " + student_name + "?", "Clear History?",
                                 DialogButtons::yes_no, DialogIcon::question);
    });
    if (answer == DialogAnswer::no) {
        silent_step([&] { dialogs.message("History NOT cleared.", kProgramTitle, DialogButtons::ok, DialogIcon::information); });
        return;
    }
    const std::string results = results_file_name(product_number, student_name);
    silent_step([&] { std::filesystem::remove(results); });
    silent_step([&] { std::filesystem::remove(history_report_name(product_number, student_name)); });
    silent_step([&] { load_results_file(missed_flags, results); });
    silent_step([&] {
        dialogs.message(student_name + " history has been cleared.", kProgramTitle, DialogButtons::ok, DialogIcon::information);
    });
}

}  // namespace qd
