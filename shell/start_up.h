#pragma once
// The start-up sequence, run by the start window's load, and the start
// window's actions. The window itself is reached through StartWindowView so
// that the sequence is plain logic.
#include <string>

#include "common/error_log.h"
#include "common/window_registry.h"
#include "platform/dialogs.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "state/program_state.h"
#include "state/user_settings.h"

namespace qd {

class StartWindowView {
public:
    virtual ~StartWindowView() = default;
    virtual void show_loading_notice() = 0;  // centred, shown and painted at once
    virtual void close_loading_notice() = 0;
    virtual void set_start_window_visible(bool visible) = 0;
    virtual void set_busy_pointer(bool busy) = 0;
    virtual void set_description_caption(const std::string& text) = 0;
    virtual void set_release_caption(const std::string& text) = 0;
    // Colour, size, empty caption, and the designed elements the product hides.
    virtual void apply_appearance() = 0;
    virtual void set_title_caption(const std::string& text) = 0;
    virtual void set_label6_caption(const std::string& text) = 0;
    virtual void show_feedback_link() = 0;
    virtual void set_feedback_caption(const std::string& text) = 0;
    virtual void center_on_screen() = 0;
};

struct StartUpInputs {
    std::string executable_folder;
    std::string command_line;  // the arguments after the program name, joined by blanks
};

inline constexpr const char* kWritableCheckFile = "file.wrt";

void run_start_up(ProgramState& state, UserSettings& settings, const ErrorLog& log, StartWindowView& view, WindowRegistry& windows,
                  Dialogs& dialogs, const StartUpInputs& inputs);

// Brings up the main menu and hides the start window.
void start_quiz_click_sub(WindowRegistry& windows, const Screen& screen, const ErrorLog& log);

// The licence text as a file address.
std::string eula_address(const ProgramState& state);

// The survey address: product, e-mail and title, "#" in the title sent as "%23".
std::string survey_address(const std::string& product_number, const std::string& email, const std::string& exam_title);

// Click on the feedback link: confirm, ask for the e-mail address once, open the survey.
void feedback_survey_click(const ProgramState& state, UserSettings& settings, Dialogs& dialogs, Shell& shell);

}  // namespace qd
