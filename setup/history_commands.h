#pragma once
// The main menu's history commands: view the student's history report, or
// clear both the report and the results file after asking.
#include <string>

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "results/results_file.h"

namespace qd {

// "View Test Score History": opens the report, or says there is none yet.
void view_test_score_history(const std::string& product_number, const std::string& student_name, Dialogs& dialogs, Shell& shell);

// "Reset User History": on Yes deletes the results file and the report and
// reloads the missed-last-time flags; on No leaves both files alone.
void reset_user_history(const std::string& product_number, const std::string& student_name, MissedFlags& missed_flags,
                        Dialogs& dialogs);

}  // namespace qd
