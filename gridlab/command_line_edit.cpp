#include "gridlab/command_line_edit.h"

#include <QKeyEvent>

namespace qd::gridlab {

CommandLineEdit::CommandLineEdit(QWidget* parent) : QLineEdit(parent) {}

bool CommandLineEdit::event(QEvent* event) {
    // Tab completes a word being typed; on an empty line or after a blank it
    // moves the focus on as everywhere else.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier && !text().isEmpty() && !text().endsWith(' ') &&
            echoMode() == QLineEdit::Normal) {
            emit completionRequested(text());
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CommandLineEdit::keyPressEvent(QKeyEvent* event) {
    const bool password = echoMode() != QLineEdit::Normal;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const QString command = text();
        if (!password) history_.add(command.toStdString());
        clear();
        emit commandEntered(command);
    } else if (event->text() == "?" && !password) {
        emit helpRequested(text());
    } else if (event->key() == Qt::Key_Up && !password) {
        setText(QString::fromStdString(history_.older()));
    } else if (event->key() == Qt::Key_Down && !password) {
        setText(QString::fromStdString(history_.newer()));
    } else if (event->key() == Qt::Key_Z && event->modifiers() == Qt::ControlModifier) {
        clear();
        emit endRequested();
    } else if (event->key() == Qt::Key_Escape) {
        clear();
    } else {
        QLineEdit::keyPressEvent(event);
    }
}

}  // namespace qd::gridlab
