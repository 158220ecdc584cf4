#pragma once
// What the quiz window needs for "Review Chapter ": the program's own book
// viewer, with the desktop's PDF reader behind its "Open in my PDF reader".
#include <string>

#include "common/book_viewer_window.h"
#include "platform/dialogs.h"
#include "platform/pdf_reader_link.h"

namespace qd {

class ChapterReviewer {
public:
    // Messages are captioned `caption`; `desktop_reader` takes the book when
    // the student asks for their own PDF reader, and must outlive this.
    ChapterReviewer(Dialogs& dialogs, PdfReaderLink& desktop_reader, std::string caption);

    // The Review Chapter click for the question's reference tag.
    void review(const std::string& ref_tag, const std::string& book_pdf_path);

    BookViewerLink& viewer() { return viewer_; }

private:
    Dialogs& dialogs_;
    std::string caption_;
    PdfReaderLink& desktop_;
    BookViewerLink viewer_;
};

}  // namespace qd
