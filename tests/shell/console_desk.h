#pragma once
// The router console as the quiz starts it, but in this process: starting the
// "gridlab" program opens its window in the given folder, and the desktop's
// window list holds the consoles still open, which a close request closes as
// the window manager's close button would.
#include <QPointer>
#include <filesystem>
#include <vector>

#include "gridlab/console_window.h"
#include "platform/program_starter.h"
#include "platform/top_windows.h"

namespace qd::testing {

class ConsoleDesk final : public ProgramStarter, public TopWindows {
public:
    // `notice` hears what the consoles find in their files' places.
    explicit ConsoleDesk(FileNotice notice = {}) : notice_(std::move(notice)) {}

    bool start(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder) override {
        if (std::filesystem::path(program).filename() != "gridlab") return false;
        const bool switch_lab = !arguments.empty() && arguments.front() == "2950";
        auto* console = new gridlab::ConsoleWindow(switch_lab ? gridlab::DeviceModel::access_switch : gridlab::DeviceModel::router,
                                                   folder.empty() ? std::filesystem::current_path() : std::filesystem::path(folder),
                                                   notice_);
        console->setAttribute(Qt::WA_DeleteOnClose);
        consoles_.emplace_back(console);
        console->show();
        return true;
    }
    std::vector<TopWindow> list() override {
        std::vector<TopWindow> open;
        for (std::size_t i = 0; i < consoles_.size(); ++i)
            if (consoles_[i] && consoles_[i]->isVisible()) open.push_back({i + 1, consoles_[i]->windowTitle().toStdString()});
        return open;
    }
    void show_normal(std::uint64_t) override {}
    void request_close(std::uint64_t id) override {
        if (id >= 1 && id <= consoles_.size() && consoles_[id - 1]) consoles_[id - 1]->close();
    }

    // The console opened last, while it is open.
    gridlab::ConsoleWindow* open_console() {
        return !consoles_.empty() && consoles_.back() && consoles_.back()->isVisible() ? consoles_.back().data() : nullptr;
    }
    std::size_t open_count() { return list().size(); }

private:
    FileNotice notice_;
    std::vector<QPointer<gridlab::ConsoleWindow>> consoles_;
};

}  // namespace qd::testing
