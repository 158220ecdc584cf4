#include "updater/wizard/frm_about_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "platform/dialogs.h"
#include "platform/program_starter.h"

namespace qd {

namespace {

constexpr const char* kTitle = "Palvera Press Updates";

// The desktop's system-information programs, in order of preference.
constexpr const char* kSystemInfoPrograms[] = {"hardinfo", "gnome-system-monitor", "ksysguard"};

}  // namespace

QString about_version_line(int major, int minor, int revision) {
    return QString("Version %1.%2 Build %3").arg(major).arg(minor).arg(revision);
}

FrmAboutWindow::FrmAboutWindow(ProgramStarter& starter, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), starter_(starter), dialogs_(dialogs) {
    setObjectName("frmAbout");
    setWindowTitle(QString("About ") + kTitle);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* title = new QLabel(kTitle, this);
    title->setObjectName("lblTitle");
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    auto* version = new QLabel(about_version_line(QUIZDECK_VERSION_MAJOR, QUIZDECK_VERSION_MINOR, 0), this);
    version->setObjectName("lblVersion");
    auto* description = new QLabel("Downloads and installs the updates of your Palvera Press practice exams.", this);
    description->setObjectName("lblDescription");
    description->setWordWrap(true);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* system_info = new QPushButton("&System Info...", this);
    system_info->setObjectName("cmdSysInfo");
    system_info->setAccessibleName("System Info...");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(system_info, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(system_info);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(description);
    layout->addStretch();
    layout->addLayout(buttons);
    ok->setFocus();
}

void FrmAboutWindow::cmdSysInfo_Click() {
    for (const char* name : kSystemInfoPrograms) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty() && starter_.start(program.toStdString(), {}, "")) return;
    }
    dialogs_.message("System Information Is Unavailable At This Time", kTitle, DialogButtons::ok, DialogIcon::information);
}

}  // namespace qd
