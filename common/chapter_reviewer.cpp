#include "common/chapter_reviewer.h"

#include "common/chapter_page.h"

namespace qd {

ChapterReviewer::ChapterReviewer(Dialogs& dialogs, PdfReaderLink& desktop_reader, std::string caption)
    : dialogs_(dialogs),
      caption_(std::move(caption)),
      desktop_(desktop_reader),
      viewer_([this](const std::string& document, int page_index) {
          report_open_outcome(desktop_.open_at_page(document, page_index), document, page_index, caption_, dialogs_);
      }) {}

void ChapterReviewer::review(const std::string& ref_tag, const std::string& book_pdf_path) {
    review_chapter(ref_tag, book_pdf_path, caption_, viewer_, dialogs_);
}

}  // namespace qd
