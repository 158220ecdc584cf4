#pragma once
// Shows a PDF document at a page: the program's own book viewer, or the
// desktop's PDF reader. Callers turn the outcome into the user's message.
#include <string>

namespace qd {

enum class PdfOpenResult {
    shown,               // at the page asked for
    shown_at_last_page,  // the page lies beyond the end; the last page is shown
    missing,             // no file at the path
    damaged,             // the file is not a readable PDF
    no_reader,           // no program to show PDF documents
    no_answer,           // the reader could not be started
};

struct PdfOpenOutcome {
    PdfOpenResult result = PdfOpenResult::shown;
    int page_count = 0;  // known for shown_at_last_page
};

class PdfReaderLink {
public:
    virtual ~PdfReaderLink() = default;
    // Shows `document` at `page_index` (0 is the first page).
    virtual PdfOpenOutcome open_at_page(const std::string& document, int page_index) = 0;
};

}  // namespace qd
