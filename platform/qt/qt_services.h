#pragma once
// The platform services implemented with Qt.
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/program_starter.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/top_windows.h"

class QWidget;

namespace qd {

// Opens addresses with a scheme ("https:", "file:", "mailto:") as they are,
// anything else as a file path relative to the working folder.
class QtShell final : public Shell {
public:
    void open(const std::string& document, ShowMode mode) override;
};

class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    DialogAnswer message(const std::string& text, const std::string& caption, DialogButtons buttons, DialogIcon icon) override;
    std::string input(const std::string& prompt, const std::string& title, const std::string& initial) override;
    int choose(const std::string& text, const std::string& caption, const std::vector<std::string>& choices,
               int safe_choice) override;

private:
    QWidget* parent_;
};

// The primary screen; twips per pixel follow its dots per inch (15 at 96 dpi).
class QtScreen final : public Screen {
public:
    int width_twips() const override;
    int height_twips() const override;
    int twips_per_pixel_x() const override;
    int twips_per_pixel_y() const override;
};

class QtProgramStarter final : public ProgramStarter {
public:
    bool start(const std::string& program, const std::vector<std::string>& arguments, const std::string& working_folder) override;
};

class QtEventPump final : public EventPump {
public:
    void process_pending() override;
};

// The program's own top-level windows and, on an X11 desktop, every other
// program's top-level windows as the window manager lists them.
class DesktopTopWindows final : public TopWindows {
public:
    std::vector<TopWindow> list() override;
    void show_normal(std::uint64_t id) override;
    void request_close(std::uint64_t id) override;
};

// Whether `address` carries a scheme such as "https:" or "mailto:".
bool has_url_scheme(const std::string& address);

}  // namespace qd
