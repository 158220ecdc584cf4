#pragma once
// The utility's about box: title, version, description, "OK" and
// "&System Info...". It does not block the wizard.
#include <QDialog>

namespace qd {

class ProgramStarter;
class Dialogs;

class FrmAboutWindow : public QDialog {
public:
    FrmAboutWindow(ProgramStarter& starter, Dialogs& dialogs, QWidget* parent);

    void cmdSysInfo_Click();

private:
    ProgramStarter& starter_;
    Dialogs& dialogs_;
};

// "Version 5.56 Build 0" for the program's version.
QString about_version_line(int major, int minor, int revision);

}  // namespace qd
