#pragma once
// What the quiz window needs for "Review Chapter ": the program's own book
// viewer, with the desktop's PDF reader behind its "Open in my PDF reader".
#include <string>

#include "common/book_viewer_window.h"
#include "platform/dialogs.h"
#include "platform/program_starter.h"
#include "platform/qt/desktop_pdf_reader.h"

namespace qd {

class ChapterReviewer {
public:
    // Messages are captioned `caption`; the desktop's reader starts in `working_folder`.
    ChapterReviewer(Dialogs& dialogs, ProgramStarter& starter, const std::string& working_folder, std::string caption);

    // The Review Chapter click for the question's reference tag.
    void review(const std::string& ref_tag, const std::string& book_pdf_path);

    BookViewerLink& viewer() { return viewer_; }

private:
    Dialogs& dialogs_;
    std::string caption_;
    DesktopPdfReader desktop_;
    BookViewerLink viewer_;
};

}  // namespace qd
