#include "book_source.h"

#include <cctype>
#include <sstream>

#include "platform/text_forms.h"
#include "source_parser.h"

namespace bookc {
namespace {

bool starts_with(const std::string& text, std::string_view prefix) { return text.rfind(prefix, 0) == 0; }

BlockKind kind_of(const std::string& line) {
    if (starts_with(line, "    ")) return BlockKind::console;
    if (starts_with(line, "- ")) return BlockKind::bullets;
    if (starts_with(line, "|")) return BlockKind::table;
    if (starts_with(line, "> ") || line == ">") return BlockKind::tip;
    return BlockKind::paragraph;
}

class Parser {
public:
    Parser(const std::string& path, std::vector<Diagnostic>& diagnostics) : diagnostics_(diagnostics) { file_.path = path; }

    BookFile run(const std::string& text) {
        std::istringstream in(text);
        std::string raw;
        int number = 0;
        bool header_seen = false;
        while (std::getline(in, raw)) {
            ++number;
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            if (starts_with(raw, "@page")) {
                start_page(raw, number);
            } else if (file_.pages.empty()) {
                if (!header_seen && !qd::trim_blanks(raw).empty()) file_.header_line = number;
                header_seen = header_seen || !qd::trim_blanks(raw).empty();
                header_line(raw, number);
            } else {
                body_line(raw, number);
            }
        }
        close_page();
        if (file_.part.empty()) report(file_.header_line, "the header has no \"part:\" line");
        if (file_.first_page == 0) report(file_.header_line, "the header has no \"pages:\" line");
        if (file_.is_chapter() && file_.chapter == 0) report(file_.header_line, "the header has no \"chapter:\" line");
        if (file_.is_chapter() && file_.title.empty()) report(file_.header_line, "the header has no \"title:\" line");
        return std::move(file_);
    }

private:
    void report(int line, std::string message) { diagnostics_.push_back({file_.path, line, std::move(message)}); }

    void header_line(const std::string& raw, int number) {
        std::string_view line = qd::trim_blanks(raw);
        if (line.empty()) return;
        auto colon = line.find(':');
        if (colon == std::string_view::npos) {
            report(number, "expected a header line \"key: value\" or \"@page N\"");
            return;
        }
        std::string key(qd::trim_blanks(line.substr(0, colon)));
        std::string value(qd::trim_blanks(line.substr(colon + 1)));
        if (key == "part") {
            if (value != "front" && value != "intro" && value != "between" && value != "orlin")
                report(number, "part must be front, intro, between or orlin");
            file_.part = value;
        } else if (key == "chapter") {
            auto chapter = qd::strict_integer(value);
            if (!chapter || *chapter < 1) report(number, "chapter must be a number from 1");
            else file_.chapter = *chapter;
        } else if (key == "title") {
            file_.title = value;
        } else if (key == "pages") {
            if (!bankc::parse_page_range(value, file_.first_page, file_.last_page)) report(number, "pages must be \"FIRST-LAST\"");
        } else {
            report(number, "unknown header key \"" + key + "\"");
        }
    }

    void start_page(const std::string& raw, int number) {
        close_page();
        auto page_number = qd::strict_integer(std::string_view(raw).substr(5));
        if (raw.size() < 6 || raw[5] != ' ' || !page_number || *page_number < 1) {
            report(number, "expected \"@page N\" with a page number");
        }
        BookPage page;
        page.number = page_number.value_or(0);
        page.line = number;
        file_.pages.push_back(std::move(page));
        in_block_ = false;
    }

    void body_line(const std::string& raw, int number) {
        BookPage& page = file_.pages.back();
        if (qd::trim_blanks(raw).empty()) {
            in_block_ = false;
            return;
        }
        if (starts_with(raw, "## ") || raw == "##") {
            if (!page.heading.empty() || !page.blocks.empty()) {
                report(number, page.heading.empty() ? "the heading must be the page's first line"
                                                    : "page " + std::to_string(page.number) + " has a second heading");
                return;
            }
            page.heading = std::string(qd::trim_blanks(std::string_view(raw).substr(2)));
            page.heading_line = number;
            if (page.heading.empty()) report(number, "the heading is empty");
            in_block_ = false;
            return;
        }
        if (page.heading.empty() && page.blocks.empty())
            report(number, "page " + std::to_string(page.number) + " must start with a \"## \" heading");
        BlockKind kind = kind_of(raw);
        Block* block = in_block_ ? &page.blocks.back() : nullptr;
        // A plain line right after a bullet item continues that item.
        bool continues_item = block && block->kind == BlockKind::bullets && kind == BlockKind::paragraph;
        if (!block || (block->kind != kind && !continues_item)) {
            page.blocks.push_back({kind, number, {}});
            block = &page.blocks.back();
            in_block_ = true;
        }
        switch (kind) {
            case BlockKind::console: block->lines.push_back(raw.substr(4)); break;
            case BlockKind::table: block->lines.push_back(raw); break;
            case BlockKind::bullets: block->lines.push_back(std::string(qd::trim_blanks(std::string_view(raw).substr(2)))); break;
            case BlockKind::tip: append_text(*block, std::string(qd::trim_blanks(std::string_view(raw).substr(1)))); break;
            case BlockKind::paragraph:
                if (continues_item) block->lines.back() += " " + std::string(qd::trim_blanks(raw));
                else append_text(*block, std::string(qd::trim_blanks(raw)));
                break;
        }
        page.words += count_words(raw);
    }

    static void append_text(Block& block, const std::string& text) {
        if (block.lines.empty()) block.lines.push_back(text);
        else block.lines.back() += " " + text;
    }

    void close_page() {
        if (file_.pages.empty()) return;
        const BookPage& page = file_.pages.back();
        if (page.heading.empty() && page.blocks.empty())
            report(page.line, "page " + std::to_string(page.number) + " is empty; it needs a \"## \" heading and a body");
    }

    BookFile file_;
    std::vector<Diagnostic>& diagnostics_;
    bool in_block_ = false;
};

}  // namespace

BookFile parse_book_file(const std::string& text, const std::string& display_path, std::vector<Diagnostic>& diagnostics) {
    return Parser(display_path, diagnostics).run(text);
}

std::vector<std::string> table_cells(const std::string& row) {
    std::vector<std::string> cells;
    std::string_view rest = qd::trim_blanks(row);
    if (!rest.empty() && rest.front() == '|') rest.remove_prefix(1);
    if (!rest.empty() && rest.back() == '|') rest.remove_suffix(1);
    while (true) {
        auto bar = rest.find('|');
        cells.emplace_back(qd::trim_blanks(rest.substr(0, bar)));
        if (bar == std::string_view::npos) break;
        rest.remove_prefix(bar + 1);
    }
    return cells;
}

int count_words(const std::string& text) {
    int words = 0;
    bool in_word = false, counted = false;
    for (unsigned char c : text) {
        if (std::isspace(c)) {
            in_word = false;
            continue;
        }
        if (!in_word) counted = false;
        in_word = true;
        if (!counted && (std::isalnum(c) || c >= 0x80)) {
            ++words;
            counted = true;
        }
    }
    return words;
}

}  // namespace bookc
