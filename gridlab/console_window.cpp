#include "gridlab/console_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <sstream>

#include "gridlab/command_line_edit.h"
#include "gridlab/start_config.h"
#include "gridlab/task_text.h"
#include "platform/text_file.h"

namespace qd::gridlab {

namespace {

// A small exchange file of the working folder as plain text; "" when missing.
std::string exchange_text(const std::filesystem::path& file) {
    std::string text = plain_text_from_html(read_text_file(file, 64 * 1024));
    std::erase(text, '\r');
    const auto first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

QPlainTextEdit* read_only_text(const QString& accessible_name, const QString& object_name, QWidget* parent) {
    auto* text = new QPlainTextEdit(parent);
    text->setReadOnly(true);
    text->setObjectName(object_name);
    text->setAccessibleName(accessible_name);
    return text;
}

}  // namespace

ConsoleWindow::ConsoleWindow(DeviceModel model, std::filesystem::path folder, FileNotice notice, QWidget* parent)
    : QWidget(parent),
      session_(model, start_configuration(model, folder)),
      folder_(std::move(folder)),
      progress_(model, folder_, std::move(notice)) {
    // The update utility knows a running console by "gridlab" and "velqor" in
    // its title, and asks to close it before it replaces the program's files.
    setWindowTitle(model == DeviceModel::access_switch ? "Switch console - velqor gridlab" : "Router console - velqor gridlab");
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    task_ = read_only_text("Task", "task_text", this);
    const std::string task = exchange_text(folder_ / "sim.txt");
    task_->setPlainText(task.empty() ? "No task was given (sim.txt is missing or empty)." : QString::fromStdString(task));
    task_->setMaximumHeight(110);
    hint_ = read_only_text("Hint", "hint_text", this);
    hint_->setMaximumHeight(90);
    hint_->hide();
    hint_text_ = exchange_text(folder_ / "sim_showme.txt");

    console_ = read_only_text("Console", "console_output", this);
    console_->setFont(fixed);
    console_->setLineWrapMode(QPlainTextEdit::NoWrap);
    task_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hint_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    console_->setMaximumBlockCount(5000);
    console_->setFocusPolicy(Qt::ClickFocus);

    prompt_ = new QLabel(this);
    prompt_->setObjectName("prompt_label");
    prompt_->setFont(fixed);
    input_ = new CommandLineEdit(this);
    input_->setObjectName("command_line");
    input_->setAccessibleName("Command");
    input_->setFont(fixed);
    input_->setFrame(false);
    input_->setMaxLength(1024);
    prompt_->setBuddy(input_);

    show_me_ = new QPushButton("Show Me", this);
    show_me_->setObjectName("show_me");
    show_me_->setEnabled(!hint_text_.empty());
    show_me_->setAutoDefault(false);
    exit_ = new QPushButton("Exit", this);
    exit_->setObjectName("exit_button");
    exit_->setAutoDefault(false);

    auto* input_row = new QHBoxLayout;
    input_row->setSpacing(0);
    input_row->addWidget(prompt_);
    input_row->addWidget(input_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(show_me_);
    buttons->addWidget(exit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Task:", this));
    layout->addWidget(task_);
    layout->addWidget(hint_);
    layout->addWidget(console_, 1);
    layout->addLayout(input_row);
    layout->addLayout(buttons);
    setTabOrder(task_, input_);
    setTabOrder(input_, show_me_);
    setTabOrder(show_me_, exit_);

    connect(input_, &CommandLineEdit::commandEntered, this, &ConsoleWindow::run_command);
    connect(input_, &CommandLineEdit::helpRequested, this, &ConsoleWindow::show_help);
    connect(input_, &CommandLineEdit::completionRequested, this, &ConsoleWindow::complete);
    connect(input_, &CommandLineEdit::endRequested, this, &ConsoleWindow::end_configuration);
    connect(show_me_, &QPushButton::clicked, this, &ConsoleWindow::show_hint);
    connect(exit_, &QPushButton::clicked, this, &QWidget::close);

    continue_earlier_work();
    append("\nPress RETURN to get started!\n\n");
    refresh_prompt();
    resize(760, 560);
    input_->setFocus();
}

// A console started again for the same task runs the lines typed before
// (without showing their answers) and starts at the first prompt.
void ConsoleWindow::continue_earlier_work() {
    const auto& lines = progress_.earlier_lines();
    for (const auto& line : lines) {
        if (line == "\x1a") session_.end_configuration();
        else session_.enter(line);
    }
    if (!lines.empty()) {
        session_.return_to_console();
        append("% Continuing from the configuration you left; \"show running-config\" shows it.\n");
    }
    report(progress_.save(session_.config()));
}

void ConsoleWindow::keep(std::string_view line) { report(progress_.record(line, session_.config())); }

// A failure is shown once in the console, not after every command.
void ConsoleWindow::report(const std::optional<std::string>& failure) {
    if (!failure) {
        last_failure_.clear();
        return;
    }
    if (*failure == last_failure_) return;
    last_failure_ = *failure;
    append(progress_.task_current() ? "% The result file out.ini could not be written: " + *failure + "\n" : "% " + *failure + "\n");
}

void ConsoleWindow::append(const std::string& text) {
    console_->moveCursor(QTextCursor::End);
    console_->insertPlainText(QString::fromStdString(text));
    console_->verticalScrollBar()->setValue(console_->verticalScrollBar()->maximum());
}

void ConsoleWindow::refresh_prompt() {
    prompt_->setText(QString::fromStdString(session_.prompt()));
    input_->setEchoMode(session_.asking_password() ? QLineEdit::Password : QLineEdit::Normal);
}

void ConsoleWindow::run_command(const QString& command) {
    const std::string line = command.toStdString();
    append(session_.prompt() + (session_.asking_password() ? std::string() : clean_input_line(line)) + "\n");
    append(session_.enter(line));
    keep(line);
    refresh_prompt();
    if (session_.ended()) close();
}

void ConsoleWindow::show_help(const QString& typed) {
    const std::string text = typed.toStdString();
    append(session_.prompt() + clean_input_line(text) + "?\n" + session_.help(text));
}

void ConsoleWindow::complete(const QString& typed) {
    if (const auto completed = session_.complete(typed.toStdString())) input_->setText(QString::fromStdString(*completed));
}

void ConsoleWindow::end_configuration() {
    append(session_.prompt() + "^Z\n" + session_.end_configuration());
    keep("\x1a");
    refresh_prompt();
}

void ConsoleWindow::show_hint() {
    hint_->setPlainText(QString::fromStdString(hint_text_));
    hint_->show();
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
    if (!left_) {
        left_ = true;
        // Normally already current; a console whose task has gone stays silent.
        const auto failure = progress_.save(session_.config());
        if (failure && progress_.task_current())
            QMessageBox::warning(this, windowTitle(),
                                 QString::fromStdString("The result file out.ini could not be written:\n" + *failure));
        emit resultWritten(!failure);
    }
    event->accept();
}

}  // namespace qd::gridlab
