#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/qt/qt_services.h"

namespace qd {

DialogAnswer QtDialogs::message(const std::string& text, const std::string& caption, DialogButtons buttons, DialogIcon icon) {
    QMessageBox box(parent_);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption));
    switch (icon) {
        case DialogIcon::information: box.setIcon(QMessageBox::Information); break;
        case DialogIcon::warning: box.setIcon(QMessageBox::Warning); break;
        case DialogIcon::error: box.setIcon(QMessageBox::Critical); break;
        case DialogIcon::question: box.setIcon(QMessageBox::Question); break;
        case DialogIcon::none: break;
    }
    switch (buttons) {
        case DialogButtons::ok: box.setStandardButtons(QMessageBox::Ok); break;
        case DialogButtons::ok_cancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case DialogButtons::yes_no: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok: return DialogAnswer::ok;
        case QMessageBox::Yes: return DialogAnswer::yes;
        case QMessageBox::No: return DialogAnswer::no;
        default: return DialogAnswer::cancel;
    }
}

int QtDialogs::choose(const std::string& text, const std::string& caption, const std::vector<std::string>& choices,
                      int safe_choice) {
    QMessageBox box(parent_);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption));
    box.setIcon(QMessageBox::Question);
    std::vector<QPushButton*> buttons;
    for (const std::string& choice : choices) {
        QPushButton* button = box.addButton(QString::fromStdString(choice), QMessageBox::ActionRole);
        button->setAccessibleName(QString::fromStdString(choice).remove('&'));
        buttons.push_back(button);
    }
    if (safe_choice >= 0 && static_cast<std::size_t>(safe_choice) < buttons.size()) {
        box.setDefaultButton(buttons[static_cast<std::size_t>(safe_choice)]);
        box.setEscapeButton(buttons[static_cast<std::size_t>(safe_choice)]);
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
    return safe_choice;
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title, const std::string& initial) {
    bool accepted = false;
    QString text = QInputDialog::getText(parent_, QString::fromStdString(title), QString::fromStdString(prompt), QLineEdit::Normal,
                                         QString::fromStdString(initial), &accepted);
    return accepted ? text.toStdString() : std::string();
}

}  // namespace qd
