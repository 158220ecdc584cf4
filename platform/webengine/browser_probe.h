#pragma once
// What tests, tools and benchmarks read of a page beyond what the windows
// need: its text, where an element is (to click it as a user would), and a
// print into a file instead of onto paper.
#include <optional>
#include <string>

#include "platform/browser.h"

namespace qd {

struct PagePoint {
    int x = 0;
    int y = 0;
};

class BrowserProbe {
public:
    virtual ~BrowserProbe() = default;
    // The text of the current document as the reader sees it, in lines.
    virtual std::string visible_text() = 0;
    // The centre of the first element matching a CSS selector, in the
    // widget's coordinates, scrolled into view; nothing when there is none.
    virtual std::optional<PagePoint> element_center(const std::string& selector) = 0;
    // Prints the page into a PDF file; false when that failed.
    virtual bool print_to_pdf(const std::string& file) = 0;
};

// The probe of a browser made by WebEngineBrowserFactory; throws
// std::invalid_argument for any other browser.
BrowserProbe& probe_of(Browser& browser);

}  // namespace qd
