#pragma once
// Small services many windows share: opening documents, reading the exercise
// result files, placing windows, closing windows by title, fitting list boxes,
// returning to the main menu and ending the program.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/window_names.h"
#include "common/window_operations.h"
#include "common/window_registry.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/top_windows.h"

namespace qd {

// Ends the process at once; the real one never returns.
class ProcessEnd {
public:
    virtual ~ProcessEnd() = default;
    virtual void end_process() = 0;

    // Closing the windows can close the start window, whose release quits
    // again; only the first quit does the work.
    bool begin_quit() { return !std::exchange(quitting_, true); }

private:
    bool quitting_ = false;
};

void shell_open(Shell& shell, const std::string& document, ShowMode mode);

// The program's help, an HTML page shipped in the program folder.
inline constexpr const char* kHelpFile = "velqor.html";
// The help file as the shell should open it: by bare name when the working
// folder holds it (as the product's shortcut starts the program), otherwise
// the copy in the program folder.
std::string help_document(const std::string& program_folder);

struct WindowPosition {
    int left = 0;
    int top = 0;
};
// Centred on the screen, in the screen's twips; a window larger than the
// screen gets negative coordinates and keeps its size.
WindowPosition centered_position(const Screen& screen, int window_width_twips, int window_height_twips);

// center_form: places the window at the centred position.
void center_form(ManagedWindow& window, const Screen& screen);

// Closes the known windows in a fixed order, each running its close handling,
// then ends the process. A window that fails to close is passed over.
void quit_program(WindowRegistry& windows, ProcessEnd& process_end);

// Hides the start window and lets it bring up the main menu again.
void return_to_main_menu(WindowRegistry& windows);

// The router console's result file "out.ini" in the program folder, with one
// separator before the name even when the folder is the root; an empty
// folder is the working folder.
std::string out_ini_path(const std::string& program_folder);
// A value of the router console's result file "out.ini" in the program folder;
// a missing key or file reads as the file's own path (cut to 59 characters).
std::string read_out_ini(const std::string& program_folder, const std::string& section, const std::string& key);
// The same for any INI file.
std::string read_ini_value(const std::string& section, const std::string& key, const std::string& ini_path);

// Asks every top-level window whose title contains `text` (exact case) to close.
void close_windows_titled(TopWindows& top_windows, const std::string& text);

// The horizontal extent, in pixels, a list box needs for its longest entry
// (first of equally long ones) followed by one blank.
int list_extent_pixels(const std::vector<std::string>& entries, const std::function<double(const std::string&)>& measure_twips,
                       int twips_per_pixel);

}  // namespace qd
