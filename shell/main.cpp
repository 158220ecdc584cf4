// quizdeck: the exam program. The start window's load is the whole start-up.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <clocale>

#include "common/document_window.h"
#include "common/error_log.h"
#include "common/guarded_steps.h"
#include "common/program_title.h"
#include "common/window_registry.h"
#include "platform/clock.h"
#include "platform/partial_files.h"
#include "platform/qt/colour_palette.h"
#include "platform/qt/desktop_pdf_reader.h"
#include "platform/qt/process_end.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/screen_fit.h"
#include "platform/qt/window_accessibility.h"
#include "platform/random.h"
#include "platform/settings_store.h"
#include "platform/webengine/webengine_browser.h"
#include "record/history_import.h"
#include "record/record_database.h"
#include "record/study_record.h"
#include "shell/program_windows.h"
#include "shell/working_folder.h"
#include "state/user_settings.h"

namespace {

class ImmediateEnd final : public qd::ProcessEnd {
public:
    void end_process() override { qd::end_process_now(0); }
};

// The command line after the program name, as one text.
std::string command_line_of(const QStringList& arguments) {
    QStringList rest = arguments.mid(1);
    return rest.join(' ').toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    qd::offer_pages_to_screen_readers();
    QApplication application(argc, argv);
    qd::install_window_accessibility();
    qd::install_screen_fit();
    std::setlocale(LC_ALL, "");  // dates in the error log follow the user's locale
    application.setApplicationName("quizdeck");
    application.setQuitOnLastWindowClosed(false);  // the program ends only through quit_program
    // An installed program keeps each user's files in a folder of their own.
    if (auto failure = qd::enter_working_folder(QCoreApplication::applicationDirPath().toStdString(), qd::process_environment)) {
        QMessageBox::critical(nullptr, "quizdeck", QString::fromStdString("The program cannot keep your files: " + *failure));
        return 1;
    }
    // What a crash during a save left behind; a running copy's saves are spared.
    qd::remove_stale_partial_files_in(".");

    qd::SystemClock clock;
    qd::ErrorLog log(clock);
    qd::IniSettingsStore store(qd::IniSettingsStore::default_folder(),
                               log.notices_for(qd::guard::settings_files.handler, qd::guard::settings_files.source));
    qd::UserSettings settings(store);
    qd::apply_colour_choice(qd::colour_choice_from_text(settings.get(qd::setting::colour_scheme)));
    qd::QtDialogs dialogs;
    qd::QtShell desktop_shell;
    qd::QtScreen screen;
    qd::WindowRegistry windows;
    ImmediateEnd process_end;
    qd::ProgramState state;
    qd::WebEngineBrowserFactory browsers;  // starts the web engine only when first asked
    // The guide and the history reports open in the program's own document window.
    qd::DocumentShell shell(desktop_shell, browsers, dialogs);
    qd::ProgramServices services{state, settings, log, dialogs, shell, screen, windows, process_end, &browsers};
    // Every quiz and graded answer, beside the student's other files; the
    // history reports already there start the student's trend.
    qd::StudyRecord study_record(qd::kStudyRecordFile, log, clock);
    qd::import_history_reports(study_record, ".");
    services.recorder = &study_record;
    qd::SystemRandom random;
    qd::DesktopTopWindows top_windows;

    qd::QtProgramStarter starter;
    qd::DesktopPdfReader desktop_reader(starter, qd::DesktopFolders::from_environment(), "");
    const qd::WindowPlatform platform{starter, random, clock, top_windows, browsers, desktop_reader};
    const qd::StartUpInputs inputs{QCoreApplication::applicationDirPath().toStdString(), command_line_of(application.arguments())};
    qd::define_program_windows(services, platform, inputs);
    windows.load(qd::kStartWindow);
    if (std::string notice = study_record.take_notice(); !notice.empty())
        QTimer::singleShot(0, &application, [&dialogs, notice] {
            dialogs.message(notice, qd::kProgramTitle, qd::DialogButtons::ok, qd::DialogIcon::information);
        });
    return application.exec();
}
