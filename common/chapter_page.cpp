#include "common/chapter_page.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/text_forms.h"

namespace qd {

std::optional<long long> convert_to_whole_number(std::string_view text) {
    const std::string_view number = trim_blanks(text);
    std::string_view unsigned_part = number;
    if (!unsigned_part.empty() && (unsigned_part.front() == '+' || unsigned_part.front() == '-')) unsigned_part.remove_prefix(1);
    int digits = 0, points = 0;
    for (char c : unsigned_part) {
        if (std::isdigit(static_cast<unsigned char>(c))) ++digits;
        else if (c == '.') ++points;
        else return std::nullopt;
    }
    if (digits == 0 || points > 1 || digits > 15) return std::nullopt;
    return round_half_even(lenient_number(number));
}

std::optional<int> review_page_index(std::string_view ref_tag) {
    auto marks = ref_tag.find("##");
    if (marks == std::string_view::npos || marks == 0) return std::nullopt;
    // A page text of four or more characters is not taken from the tag: the
    // page stays unset and the book opens at its first page.
    long long page = 0;
    if (marks <= 3) page = convert_to_whole_number(ref_tag.substr(0, marks)).value_or(0);
    return static_cast<int>(std::max(page - 1, 0LL));
}

void review_chapter(const std::string& ref_tag, const std::string& book_pdf_path, const std::string& caption, PdfReaderLink& reader,
                    Dialogs& dialogs) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(book_pdf_path, error)) {
        dialogs.message("Could not find " + book_pdf_path, caption, DialogButtons::ok, DialogIcon::none);
        return;
    }
    auto index = review_page_index(ref_tag);
    if (!index) return;
    report_open_outcome(reader.open_at_page(book_pdf_path, *index), book_pdf_path, *index, caption, dialogs);
}

void report_open_outcome(const PdfOpenOutcome& outcome, const std::string& book_pdf_path, int page_index,
                         const std::string& caption, Dialogs& dialogs) {
    auto tell = [&](const std::string& text, DialogIcon icon) { dialogs.message(text, caption, DialogButtons::ok, icon); };
    switch (outcome.result) {
        case PdfOpenResult::shown: return;
        case PdfOpenResult::shown_at_last_page:
            tell("Page " + std::to_string(page_index + 1) + " is beyond the end of the book, which has " +
                     std::to_string(outcome.page_count) + " pages. The book is shown at its last page.",
                 DialogIcon::information);
            return;
        case PdfOpenResult::missing: tell("Could not find " + book_pdf_path, DialogIcon::none); return;
        case PdfOpenResult::damaged:
            tell("The book " + book_pdf_path + " cannot be read; the file is damaged. Reinstall the program to restore it.",
                 DialogIcon::error);
            return;
        case PdfOpenResult::no_reader:
            tell("A PDF reader could not be found, please ensure that you have installed one correctly and try again.",
                 DialogIcon::error);
            return;
        case PdfOpenResult::no_answer:
            tell("Your PDF reader failed to respond in a timely fashion.  Please try again.", DialogIcon::error);
            return;
    }
}

}  // namespace qd
