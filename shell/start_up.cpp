#include "shell/start_up.h"

#include <filesystem>

#include "bank/bank_loader.h"
#include "common/guarded_steps.h"
#include "common/module1.h"
#include "platform/file_for_writing.h"
#include "platform/file_url.h"
#include "platform/text_forms.h"

namespace qd {

void run_start_up(ProgramState& state, UserSettings& settings, const ErrorLog& log, StartWindowView& view, WindowRegistry& windows,
                  Dialogs& dialogs, const StartUpInputs& inputs) {
    GuardedProcedure load(log, guard::start_window_load);
    load.step([&] { settings.working.practice_mode = flag_code::set; });
    load.step([&] { view.show_loading_notice(); });
    load.step([&] {
        state.paths.program_folder = inputs.executable_folder;
        if (state.paths.program_folder.empty() || state.paths.program_folder.back() != '/') state.paths.program_folder += '/';
    });
    load.step([&] { init_product(state.paths, state.table, state.bank); });
    load.step([&] {
        std::string name = state.paths.data_file_name;
        name = name.substr(0, name.rfind(".dat"));
        state.quality_mailbox = "qc_" + name + "@" + maker::kMailDomain;
    });
    load.step([&] {
        view.set_start_window_visible(false);
        view.set_busy_pointer(true);
    });
    load.step([&] { view.set_description_caption(state.bank.description); });
    load.step([&] { view.set_release_caption(state.bank.version_text); });
    load.step([&] { number_questions(state.table); });
    load.step([&] { view.close_loading_notice(); });
    load.step([&] { view.apply_appearance(); });
    load.step([&] { view.set_title_caption(state.bank.exam_title); });
    load.step([&] { view.set_label6_caption(" Practice Test for:"); });
    load.step([&] {
        if (lenient_number(settings.get(setting::num_times(state.bank.product_number))) > 3) {
            view.show_feedback_link();
            if (settings.get(setting::survey_done(state.bank.product_number)) == "yes")
                view.set_feedback_caption("Update Feedback");
        }
    });
    load.step([&] { state.quiz.quiz_length = static_cast<std::int16_t>(state.bank.question_count / 4); });
    load.step([&] {
        view.set_busy_pointer(false);
        view.center_on_screen();
        view.set_start_window_visible(true);
    });
    load.step([&] {
        std::error_code error;
        if (std::filesystem::exists(kWritableCheckFile, error)) return;
        log.report_planted_link(guard::start_window_load.handler, guard::start_window_load.source, kWritableCheckFile);
        // A link in its place is not written through; the check then fails, as it should.
        write_file(kWritableCheckFile, "TEST\r\n", WriteMode::replace_contents, AtALink::refuse);
        if (!std::filesystem::exists(kWritableCheckFile, error))
            dialogs.message("You do not appear to have file system permissions.  Please log off and log on as administrator.",
                            "File Permissions", DialogButtons::ok, DialogIcon::none);
    });
    load.step([&] {
        if (inputs.command_line.rfind("aaaa", 0) != 0) return;
        state.drill_screen_start = 1;
        // A program built without the drill screen keeps the start window up.
        if (!windows.is_defined(kFlashCardWindow)) return;
        view.set_start_window_visible(false);
        windows.show(kFlashCardWindow);
    });
    load.step([&] {
        if (state.drill_screen_start != 1) view.set_start_window_visible(true);
    });
}

void start_quiz_click_sub(WindowRegistry& windows, const Screen& screen, const ErrorLog& log) {
    GuardedProcedure procedure(log, guard::start_quiz_click);
    procedure.step([&] { windows.hide(kMainMenu); });
    procedure.step([&] { windows.load(kMainMenu); });
    procedure.step([&] { center_form(windows.load(kMainMenu), screen); });
    procedure.step([&] { windows.show(kMainMenu); });
    // Only hand over to a main menu that is really there: hiding the start
    // window without one would leave the student with no window at all.
    procedure.step([&] {
        if (windows.is_loaded(kMainMenu) && windows.find(kMainMenu)->window_visible()) windows.hide(kStartWindow);
    });
}

std::string eula_address(const ProgramState& state) { return file_url(state.paths.program_folder + "EULA.txt"); }

std::string survey_address(const std::string& product_number, const std::string& email, const std::string& exam_title) {
    std::string title;
    for (char c : exam_title) title += c == '#' ? std::string("%23") : std::string(1, c);
    return std::string(maker::kSurveyForm) + "?prodid=" + product_number + "&email=" + email + "&name=" + title;
}

void feedback_survey_click(const ProgramState& state, UserSettings& settings, Dialogs& dialogs, Shell& shell) {
    DialogAnswer answer = DialogAnswer::cancel;
    silent_step([&] {
        answer = dialogs.message(
            "You will need a internet connection to do this.\r\nWe will now launch a web browser to connect to our site.",
            "Submit Feedback", DialogButtons::ok_cancel, DialogIcon::information);
    });
    if (answer != DialogAnswer::ok) return;
    std::string email;
    silent_step([&] {
        email = settings.get(setting::email);
        if (email.empty()) email = dialogs.input("Please Enter your Email Address.", "Web Based Mail", email);
    });
    silent_step([&] { settings.put(setting::email, email); });
    std::string address;
    silent_step([&] { address = survey_address(state.bank.product_number, email, state.bank.exam_title); });
    silent_step([&] { shell_open(shell, address, ShowMode::maximized); });
    silent_step([&] { settings.put(setting::survey_done(state.bank.product_number), "yes"); });
}

}  // namespace qd
