#pragma once
// The console's input line: Enter runs the line, "?" asks for help at once,
// Tab completes a keyword, Up and Down walk the history, Ctrl+Z leaves the
// configuration modes and Escape clears the line.
#include <QLineEdit>

#include "gridlab/command_history.h"

namespace qd::gridlab {

class CommandLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CommandLineEdit(QWidget* parent = nullptr);
    CommandHistory& history() { return history_; }

signals:
    void commandEntered(const QString& command);
    void helpRequested(const QString& typed);
    void completionRequested(const QString& typed);
    void endRequested();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CommandHistory history_;
};

}  // namespace qd::gridlab
