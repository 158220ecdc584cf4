// gridlab: the router console. "gridlab [2950]" opens the console window (the
// switch with "2950"); "gridlab --batch [2950]" reads commands from standard
// input instead. Both leave "out.ini" in the working folder.
#include <QApplication>
#include <filesystem>
#include <iostream>

#include "common/error_log.h"
#include "common/guarded_steps.h"
#include "gridlab/batch_run.h"
#include "gridlab/console_window.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto options = qd::gridlab::parse_program_options(arguments);
    if (options.batch)
        return qd::gridlab::run_batch(options.model, std::cin, std::cout, std::cerr, std::filesystem::current_path());
    QApplication application(argc, argv);
    application.setApplicationName("gridlab");
    // The quiz starts the console in its own working folder, so what the
    // console finds there goes into the quiz's "error.log".
    qd::SystemClock clock;
    const qd::ErrorLog log(clock);
    qd::gridlab::ConsoleWindow window(options.model, std::filesystem::current_path(),
                                      log.notices_for(qd::guard::console_files.handler, qd::guard::console_files.source));
    window.show();
    return application.exec();
}
