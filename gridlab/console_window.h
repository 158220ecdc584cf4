#pragma once
// The router console's window: the task from "sim.txt" above a console in a
// fixed-pitch font, a "Show Me" button for the hint in "sim_showme.txt" and
// an "Exit" button. Leaving (Exit, closing the window or leaving the session
// at the console) writes "out.ini" in the working folder.
#include <QWidget>
#include <filesystem>

#include "gridlab/console_session.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qd::gridlab {

class CommandLineEdit;

class ConsoleWindow : public QWidget {
    Q_OBJECT
public:
    ConsoleWindow(DeviceModel model, std::filesystem::path folder, QWidget* parent = nullptr);

    const ConsoleSession& session() const { return session_; }

signals:
    // After out.ini was written (or failed to be) on leaving.
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
    bool write_result();

    ConsoleSession session_;
    std::filesystem::path folder_;
    bool result_written_ = false;
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
