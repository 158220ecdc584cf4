#pragma once
// Which page of the book a question's reference tag opens ("46##" opens the
// book's 46th page, index 45), and the Review Chapter click around it.
#include <optional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "platform/pdf_reader_link.h"

namespace qd {

// The page index (0 = first page) for a reference tag, or none when the click
// does nothing. The page is the text before the first "##" when that text is
// one to three characters long; a longer text, or one that is not a number,
// opens the first page. A tag without "##", or starting with it, does nothing.
std::optional<int> review_page_index(std::string_view ref_tag);

// The desktop's text-to-number conversion: blanks around an optionally signed
// decimal number, a fraction rounded to the nearest whole number (halves to
// the even neighbour); none for any other text.
std::optional<long long> convert_to_whole_number(std::string_view text);

// The Review Chapter click: a missing book gives "Could not find " and its
// path; otherwise the book is shown at the tag's page through `reader`, and
// what went wrong there is told in a message box captioned `caption`.
void review_chapter(const std::string& ref_tag, const std::string& book_pdf_path, const std::string& caption, PdfReaderLink& reader,
                    Dialogs& dialogs);

// The message for an outcome of showing the book, if there is one.
void report_open_outcome(const PdfOpenOutcome& outcome, const std::string& book_pdf_path, int page_index,
                         const std::string& caption, Dialogs& dialogs);

}  // namespace qd
