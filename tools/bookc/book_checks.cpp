#include "book_checks.h"

#include <algorithm>
#include <map>

#include "platform/text_file.h"
#include "platform/text_forms.h"
#include "source_parser.h"

namespace bookc {
namespace fs = std::filesystem;
namespace {

std::vector<fs::path> files_with_extension(const fs::path& folder, const std::string& extension, bool recursive) {
    std::vector<fs::path> found;
    std::error_code error;
    auto take = [&](const fs::directory_entry& entry) {
        if (entry.is_regular_file() && entry.path().extension() == extension) found.push_back(entry.path());
    };
    if (recursive)
        for (const auto& entry : fs::recursive_directory_iterator(folder, error)) take(entry);
    else
        for (const auto& entry : fs::directory_iterator(folder, error)) take(entry);
    std::sort(found.begin(), found.end());
    return found;
}

std::string range_text(int first, int last) { return std::to_string(first) + "-" + std::to_string(last); }

std::string page_list(const std::vector<int>& pages) {
    std::string text;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i == 6) return text + " and " + std::to_string(pages.size() - 6) + " more";
        text += (i ? ", " : "") + std::to_string(pages[i]);
    }
    return text;
}

class Checker {
public:
    Checker(const std::vector<BookFile>& files, const BankFacts& banks, const std::set<std::string>& only)
        : files_(files), banks_(banks), only_(only) {}

    std::vector<Diagnostic> run() {
        for (const auto& file : files_) {
            if (!checked(file)) continue;
            check_header(file);
            check_pages(file);
        }
        check_repeats();
        check_citations();
        if (only_.empty()) check_whole_book();
        std::stable_sort(out_.begin(), out_.end(), [](const Diagnostic& a, const Diagnostic& b) {
            return std::tie(a.file, a.line) < std::tie(b.file, b.line);
        });
        return std::move(out_);
    }

private:
    bool checked(const BookFile& file) const { return only_.empty() || only_.count(file.path); }
    void report(const std::string& file, int line, std::string message) { out_.push_back({file, line, std::move(message)}); }

    const BankChapter* bank_chapter(const std::string& part, int chapter) const {
        for (const auto& c : banks_.chapters)
            if (c.part == part && c.chapter == chapter) return &c;
        return nullptr;
    }

    void check_header(const BookFile& file) {
        std::string name = fs::path(file.path).filename().string();
        if (!file.part.empty() && name != expected_file_name(file))
            report(file.path, file.header_line, "a file with this header must be named " + expected_file_name(file));
        if (!file.is_chapter()) {
            if (file.chapter || !file.title.empty())
                report(file.path, file.header_line, "only chapter files have \"chapter:\" and \"title:\" lines");
            return;
        }
        const BankChapter* bank = bank_chapter(file.part, file.chapter);
        if (!bank) {
            report(file.path, file.header_line,
                   "the banks have no chapter " + std::to_string(file.chapter) + " in " + file.part + "/");
            return;
        }
        if (bank->title != file.title)
            report(file.path, file.header_line,
                   "title \"" + file.title + "\" disagrees with \"" + bank->title + "\" in " + bank->file);
        if (bank->first_page != file.first_page || bank->last_page != file.last_page)
            report(file.path, file.header_line,
                   "pages " + range_text(file.first_page, file.last_page) + " disagree with " +
                       range_text(bank->first_page, bank->last_page) + " in " + bank->file);
    }

    void check_pages(const BookFile& file) {
        std::set<int> seen;
        int previous = 0;
        for (const auto& page : file.pages) {
            std::string name = "page " + std::to_string(page.number);
            if (page.number == 0) continue;  // the parser reported it
            if (page.number < file.first_page || page.number > file.last_page)
                report(file.path, page.line,
                       name + " lies outside this file's pages " + range_text(file.first_page, file.last_page));
            else if (!seen.insert(page.number).second) report(file.path, page.line, name + " appears twice");
            else if (page.number < previous)
                report(file.path, page.line,
                       name + " comes after page " + std::to_string(previous) + "; pages go in ascending order");
            previous = std::max(previous, page.number);
            check_length(file, page);
            check_tables(file, page);
        }
        std::vector<int> missing;
        for (int n = file.first_page; file.first_page && n <= file.last_page; ++n)
            if (!seen.count(n)) missing.push_back(n);
        if (!missing.empty())
            report(file.path, file.header_line,
                   "page" + std::string(missing.size() > 1 ? "s " : " ") + page_list(missing) + " of the range " +
                       (missing.size() > 1 ? "are" : "is") + " missing");
    }

    void check_length(const BookFile& file, const BookPage& page) {
        if (page.heading.empty() && page.blocks.empty()) return;  // reported as empty
        // The title page is the one page allowed to be short.
        bool title_page = file.part == "front" && page.number == 1;
        std::string name = "page " + std::to_string(page.number);
        if (page.words > kMaximumWords)
            report(file.path, page.line,
                   name + " has " + std::to_string(page.words) + " words; a page holds at most " + std::to_string(kMaximumWords));
        else if (page.words < kMinimumWords && !title_page)
            report(file.path, page.line,
                   name + " has " + std::to_string(page.words) + " words; a page needs at least " + std::to_string(kMinimumWords));
    }

    void check_tables(const BookFile& file, const BookPage& page) {
        for (const auto& block : page.blocks) {
            if (block.kind != BlockKind::table) continue;
            std::size_t columns = table_cells(block.lines.front()).size();
            for (std::size_t row = 1; row < block.lines.size(); ++row) {
                std::size_t cells = table_cells(block.lines[row]).size();
                if (cells != columns)
                    report(file.path, block.line + static_cast<int>(row),
                           "this table row has " + std::to_string(cells) + " cells; the header row has " + std::to_string(columns));
            }
        }
    }

    // No two pages repeat each other: neither a heading nor a whole body twice.
    void check_repeats() {
        std::map<std::string, std::pair<const BookFile*, const BookPage*>> headings, bodies;
        for (const auto& file : files_) {
            for (const auto& page : file.pages) {
                auto where = std::make_pair(&file, &page);
                auto first_of = [&](auto& seen, const std::string& key, const char* what) {
                    if (key.empty()) return;
                    auto [it, fresh] = seen.emplace(key, where);
                    if (!fresh && checked(file))
                        report(file.path, page.line,
                               std::string(what) + " of page " + std::to_string(page.number) + " repeats page " +
                                   std::to_string(it->second.second->number) + " (" + it->second.first->path + ")");
                };
                first_of(headings, qd::to_lower_ascii(page.heading), "the heading");
                std::string body;
                for (const auto& block : page.blocks)
                    for (const auto& line : block.lines) body += line + "\n";
                first_of(bodies, body, "the body");
            }
        }
    }

    void check_citations() {
        std::set<int> noted;
        std::vector<std::pair<int, int>> ranges;  // of the files checked
        for (const auto& file : files_) {
            if (checked(file)) ranges.emplace_back(file.first_page, file.last_page);
            for (const auto& page : file.pages)
                if (page.number >= file.first_page && page.number <= file.last_page) noted.insert(page.number);
        }
        auto in_scope = [&](int page) {
            if (only_.empty()) return true;
            return std::any_of(ranges.begin(), ranges.end(), [&](auto r) { return page >= r.first && page <= r.second; });
        };
        for (const auto& citation : banks_.citations)
            if (in_scope(citation.page) && !noted.count(citation.page))
                report(citation.file, citation.line,
                       "page " + std::to_string(citation.page) + " cited here has no note in the book");
    }

    void check_whole_book() {
        for (const auto& chapter : banks_.chapters) {
            bool present = std::any_of(files_.begin(), files_.end(),
                                       [&](const BookFile& f) { return f.part == chapter.part && f.chapter == chapter.chapter; });
            if (!present)
                report(chapter.file, 1,
                       "chapter " + std::to_string(chapter.chapter) + " has no file in the book (" + chapter.part + "_ch" +
                           (chapter.chapter < 10 ? "0" : "") + std::to_string(chapter.chapter) + ".txt)");
        }
        for (const char* part : {"front", "between"})
            if (std::none_of(files_.begin(), files_.end(), [&](const BookFile& f) { return f.part == part; }))
                report(std::string(part) + ".txt", 0, "the book has no " + std::string(part) + ".txt");
        // The files' ranges side by side must run from page 1 without a gap or an overlap.
        std::vector<const BookFile*> by_range;
        for (const auto& file : files_)
            if (file.first_page) by_range.push_back(&file);
        std::sort(by_range.begin(), by_range.end(), [](auto a, auto b) { return a->first_page < b->first_page; });
        int next = 1;
        for (const BookFile* file : by_range) {
            if (file->first_page > next)
                report(file->path, file->header_line, "pages " + range_text(next, file->first_page - 1) + " belong to no file");
            else if (file->first_page < next)
                report(file->path, file->header_line,
                       "pages " + range_text(file->first_page, file->last_page) + " overlap another file's pages");
            next = std::max(next, file->last_page + 1);
        }
    }

    const std::vector<BookFile>& files_;
    const BankFacts& banks_;
    const std::set<std::string>& only_;
    std::vector<Diagnostic> out_;
};

}  // namespace

BankFacts read_bank_facts(const fs::path& banks_folder, std::vector<Diagnostic>& diagnostics) {
    BankFacts facts;
    auto files = files_with_extension(banks_folder, ".qb", true);
    if (files.empty()) diagnostics.push_back({banks_folder.string(), 0, "no question files (.qb) in this folder"});
    for (const auto& path : files) {
        std::vector<Diagnostic> ignored;  // the bank compiler reports these
        std::string shown = (banks_folder / path.lexically_relative(banks_folder)).generic_string();
        bankc::SourceFile source = bankc::parse_source_file(qd::read_text_file(path), shown, ignored);
        if (source.has_header)
            facts.chapters.push_back(
                {path.parent_path().filename().string(), source.chapter, source.title, source.first_page, source.last_page, shown});
        for (const auto& question : source.questions) {
            auto marks = question.ref_tag.find("##");
            if (marks == std::string::npos) continue;
            if (auto page = qd::strict_integer(question.ref_tag.substr(0, marks)))
                facts.citations.push_back({*page, shown, question.ref_line});
        }
    }
    return facts;
}

std::vector<BookFile> read_book(const fs::path& book_folder, std::vector<Diagnostic>& diagnostics) {
    std::vector<BookFile> book;
    auto files = files_with_extension(book_folder, ".txt", false);
    if (files.empty()) diagnostics.push_back({book_folder.string(), 0, "no book sources (.txt) in this folder"});
    for (const auto& path : files) book.push_back(parse_book_file(qd::read_text_file(path), path.generic_string(), diagnostics));
    return book;
}

std::vector<Diagnostic> check_book(const std::vector<BookFile>& files, const BankFacts& banks, const std::set<std::string>& only) {
    return Checker(files, banks, only).run();
}

std::string expected_file_name(const BookFile& file) {
    if (!file.is_chapter()) return file.part + ".txt";
    return file.part + "_ch" + (file.chapter < 10 ? "0" : "") + std::to_string(file.chapter) + ".txt";
}

}  // namespace bookc
