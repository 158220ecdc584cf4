#pragma once
// The external exercise programs of simulator and drag-and-drop questions:
// what is prepared when such a question is shown, and how each is started.
// The exchange files and result files live in the working folder, and the
// programs are started in it.
#include <optional>
#include <string>
#include <vector>

#include "bank/question_record.h"
#include "platform/program_starter.h"
#include "state/quiz_state.h"

namespace qd {

struct ExerciseStart {
    std::string program;  // full path of the program file
    std::vector<std::string> arguments;
};

// The router console's window title holds this mark; the quiz closes such a
// console when it leaves the lab it was opened for.
inline constexpr const char* kRouterConsoleTitleMark = "velqor gridlab";

// The product number, "Q" and answer slot 1, trimmed as a whole.
std::string exercise_code(const std::string& product_number, const std::string& answer_slot_1);

// The router console: "gridlab" with "2950" when exhibit slot 2 is exactly that.
ExerciseStart router_console_start(const std::string& program_folder, const QuestionRecord& question);

// The drag-and-drop exercise or a dialog simulator (`ms_sim`, `ms_sim2`)
// with the exercise code as its argument.
ExerciseStart exercise_start(InputKind input_kind, const std::string& program_folder, const std::string& product_number,
                             const QuestionRecord& question);

// Removes a stale result and, for the router console, writes "sim.txt" and
// "sim_showme.txt". Throws a Failure when a file cannot be written or removed.
// Returns a line for the error log for each symbolic link found in the place
// of a file it writes (the link is replaced by a plain file).
std::vector<std::string> prepare_exercise(InputKind input_kind, const QuestionRecord& question, const std::string& working_folder);

// The result files as the grader reads them. Reading a drag-and-drop or
// dialog-simulator result deletes it.
// The same key, or none when the result file does not hold it.
std::optional<std::string> router_console_entry(const std::string& working_folder, const std::string& key);
std::string router_console_value(const std::string& working_folder, const std::string& key);
std::string take_exercise_result(const std::string& result_file);
std::string drag_drop_result_file(const std::string& working_folder);
std::string dialog_sim_result_file(const std::string& working_folder);

}  // namespace qd
