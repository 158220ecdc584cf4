#pragma once
// Every window of the exam program, defined in the registry with the services
// it needs. The program and the whole-loop tests share this wiring, so a test
// runs the same windows the student sees.
#include <functional>

#include "platform/browser.h"
#include "platform/clock.h"
#include "platform/pdf_reader_link.h"
#include "platform/program_starter.h"
#include "platform/random.h"
#include "platform/top_windows.h"
#include "shell/start_up.h"
#include "state/program_services.h"

namespace qd {

// The platform pieces the windows use beyond the program's services.
struct WindowPlatform {
    ProgramStarter& starter;
    Random& random;
    const Clock& clock;
    TopWindows& top_windows;
    BrowserFactory& browsers;
    PdfReaderLink& desktop_reader;  // the book viewer's "Open in my PDF reader"
    // Prints an explanation page; false when printing failed.
    std::function<bool(Browser&)> print_page = [](Browser& browser) { return browser.print_with_dialog(); };
};

// `services` and `platform` must outlive the registry's windows.
void define_program_windows(const ProgramServices& services, const WindowPlatform& platform, const StartUpInputs& inputs);

}  // namespace qd
