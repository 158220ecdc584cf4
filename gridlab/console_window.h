#pragma once
// The router console's window: the task from "sim.txt" above a console in a
// fixed-pitch font, a "Show Me" button for the hint in "sim_showme.txt" and
// an "Exit" button. "out.ini" in the working folder is kept current after
// every command that changes the configuration, and a console started again
// for the same task continues from the configuration left (LabProgress).
#include <QWidget>
#include <filesystem>

#include "gridlab/console_session.h"
#include "gridlab/lab_progress.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qd::gridlab {

class CommandLineEdit;

class ConsoleWindow : public QWidget {
    Q_OBJECT
public:
    // `notice` hears of a link found in the place of a file the console writes.
    ConsoleWindow(DeviceModel model, std::filesystem::path folder, FileNotice notice = {}, QWidget* parent = nullptr);

    const ConsoleSession& session() const { return session_; }

signals:
    // On leaving: whether out.ini holds the configuration shown.
    void resultWritten(bool written);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void run_command(const QString& command);
    void show_help(const QString& typed);
    void complete(const QString& typed);
    void end_configuration();
    void show_hint();
    void append(const std::string& text);
    void refresh_prompt();
    void continue_earlier_work();
    void keep(std::string_view line);
    void report(const std::optional<std::string>& failure);

    ConsoleSession session_;
    std::filesystem::path folder_;
    LabProgress progress_;
    std::string last_failure_;
    bool left_ = false;
    QPlainTextEdit* task_ = nullptr;
    QPlainTextEdit* hint_ = nullptr;
    QPlainTextEdit* console_ = nullptr;
    QLabel* prompt_ = nullptr;
    CommandLineEdit* input_ = nullptr;
    QPushButton* show_me_ = nullptr;
    QPushButton* exit_ = nullptr;
    std::string hint_text_;
};

}  // namespace qd::gridlab
