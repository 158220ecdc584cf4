#include "runner/exercises.h"

#include <filesystem>
#include <vector>

#include "common/module1.h"
#include "platform/failure.h"
#include "platform/file_for_writing.h"
#include "platform/ini_file.h"
#include "platform/program_file_name.h"
#include "platform/text_forms.h"

namespace qd {
namespace {

std::string in_folder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Notes a link found in the file's place in `notices`; the write replaces it.
void write_line_file(const std::string& path, const std::string& line, std::vector<std::string>& notices) {
    if (auto notice = planted_link_notice(path)) notices.push_back(*notice);
    if (write_file(path, line + "\r\n", WriteMode::replace_contents))
        throw Failure(FailureCode::file_access_error, "Cannot write " + path);
}

void remove_if_present(const std::string& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error) && !std::filesystem::remove(path, error))
        throw Failure(FailureCode::permission_denied, "Cannot remove " + path);
}

}  // namespace

std::string exercise_code(const std::string& product_number, const std::string& answer_slot_1) {
    return std::string(trim_blanks(product_number + "Q" + answer_slot_1));
}

ExerciseStart router_console_start(const std::string& program_folder, const QuestionRecord& question) {
    ExerciseStart start{in_folder(program_folder, program_file_name("gridlab.exe")), {}};
    if (question.exhibit_files[2] == "2950") start.arguments.push_back("2950");
    return start;
}

ExerciseStart exercise_start(InputKind input_kind, const std::string& program_folder, const std::string& product_number,
                             const QuestionRecord& question) {
    std::string program = "pvDragnDrop.exe";
    if (input_kind == InputKind::ms_sim) program = "Sims/panelab.exe";
    if (input_kind == InputKind::ms_sim2) program = "Sims/dragset5.exe";
    return {in_folder(program_folder, program_file_name(program)), {exercise_code(product_number, question.answers[1])}};
}

std::vector<std::string> prepare_exercise(InputKind input_kind, const QuestionRecord& question, const std::string& working_folder) {
    std::vector<std::string> notices;
    if (input_kind == InputKind::drag_drop) remove_if_present(drag_drop_result_file(working_folder));
    if (input_kind == InputKind::ms_sim || input_kind == InputKind::ms_sim2)
        remove_if_present(dialog_sim_result_file(working_folder));
    if (input_kind == InputKind::sim) {
        write_line_file(in_folder(working_folder, "sim.txt"), question.question_text, notices);
        write_line_file(in_folder(working_folder, "sim_showme.txt"), question.clue, notices);
        // The console starts from the lab's own configuration where it has one.
        if (question.lab_start.empty()) remove_if_present(in_folder(working_folder, "sim_start.txt"));
        else write_line_file(in_folder(working_folder, "sim_start.txt"), question.lab_start, notices);
        remove_if_present(in_folder(working_folder, "out.ini"));
    }
    return notices;
}

std::string router_console_value(const std::string& working_folder, const std::string& key) {
    return read_out_ini(working_folder, "general", key);
}

std::optional<std::string> router_console_entry(const std::string& working_folder, const std::string& key) {
    // A default no file line can hold tells a missing key from an empty value.
    constexpr const char* kAbsent = "\n";
    const std::string value = IniFile(out_ini_path(working_folder)).get_string("general", key, kAbsent, 60);
    if (value == kAbsent) return std::nullopt;
    return std::string(trim_blanks(value.substr(0, value.find('\0'))));
}

std::string take_exercise_result(const std::string& result_file) {
    const std::string result = read_ini_value("Answer", "result", result_file);
    std::error_code ignored;
    std::filesystem::remove(result_file, ignored);
    return result;
}

std::string drag_drop_result_file(const std::string& working_folder) { return in_folder(working_folder, "out.ini"); }
std::string dialog_sim_result_file(const std::string& working_folder) { return in_folder(working_folder, "Sims/OUT.ini"); }

}  // namespace qd
