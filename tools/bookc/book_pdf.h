#pragma once
// Lays the study guide out, one source page per printed page, and writes it
// as a PDF with Qt's own PDF writer. Needs a QGuiApplication.
#include <QString>
#include <vector>

#include "book_source.h"

namespace bookc {

// The running head of a file's pages: the chapter (or the book's part).
QString running_head(const BookFile& file, const QString& book_title);

// The title of the book: the heading of the front matter's first page.
QString book_title(const std::vector<BookFile>& files);

// Lays out every page in page order; a page whose body is taller or wider
// than the page's text area is reported. With an output path the pages are
// also painted into that PDF (written only when every page fits).
std::vector<Diagnostic> write_book_pdf(const std::vector<BookFile>& files, const QString& pdf_path);

}  // namespace bookc
