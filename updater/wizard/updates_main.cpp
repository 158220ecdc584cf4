// updates: the update utility. Its only window is frm_available.
#include <QApplication>
#include <QMessageBox>

#include "platform/curl/curl_transfer.h"
#include "platform/partial_files.h"
#include "platform/program_file_name.h"
#include "platform/qt/process_end.h"
#include "platform/qt/qt_services.h"
#include "updater/catalogue/app_folder.h"
#include "updater/swap/utility_lock.h"
#include "updater/swap/utility_log.h"
#include "updater/wizard/frm_available_window.h"
#include "updater/wizard/package_managed.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName("updates");
    const std::string program_folder = qd::running_program_folder();
    // A package manager's installation is never changed behind its back.
    if (qd::updated_through_package_manager(program_folder)) {
        QMessageBox::information(nullptr, "Palvera Press Updates", qd::kPackageManagerNotice);
        return 0;
    }
    // Held until the process ends, so the swap helper knows when it may replace this program.
    qd::UtilityLock lock(program_folder + qd::program_file_name("updates.exe"));
    // What a crash during an earlier run's save left behind; a running copy's saves are spared.
    qd::remove_stale_partial_files_in(program_folder);

    qd::CurlTransfer transfer;
    qd::QtDialogs dialogs;
    qd::QtShell shell;
    qd::QtProgramStarter starter;
    qd::DesktopTopWindows top_windows;
    qd::FrmAvailableWindow window(
        {transfer,
         dialogs,
         shell,
         starter,
         top_windows,
         [](int status) { qd::end_process_now(status); },
         program_folder,
         {},
         [program_folder](const std::string& notice) { qd::append_to_utility_log(program_folder, notice); }});
    window.show();
    return application.exec();
}
