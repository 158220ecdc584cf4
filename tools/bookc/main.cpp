// bookc: checks the study guide's sources against the question banks and
// writes the book as a PDF.
//
//   bookc [--out BOOK.pdf] [--check FILE.txt]... BOOK_FOLDER BANKS_FOLDER
//
// Without --check the whole book is checked; with it only the named source
// files and the questions citing their pages. Every problem is reported as
// "file:line: message"; the PDF is written only when there is none.
#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>

#include "book_checks.h"
#include "book_pdf.h"

namespace fs = std::filesystem;

namespace {

int usage() {
    std::cerr << "usage: bookc [--out BOOK.pdf] [--check FILE.txt]... BOOK_FOLDER BANKS_FOLDER\n";
    return 2;
}

// The path of a --check file as the book's file list names it.
std::string as_listed(const fs::path& book_folder, const std::string& given) {
    fs::path path(given);
    if (!path.has_parent_path()) path = book_folder / path;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(book_folder, error))
        if (fs::equivalent(entry.path(), path, error)) return entry.path().generic_string();
    return path.generic_string();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    std::string out_file;
    std::vector<std::string> positional, checks;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) out_file = argv[++i];
        else if (arg == "--check" && i + 1 < argc) checks.push_back(argv[++i]);
        else if (arg.rfind("--", 0) == 0) return usage();
        else positional.push_back(arg);
    }
    if (positional.size() != 2) return usage();
    const fs::path book_folder = positional[0], banks_folder = positional[1];

    std::vector<bookc::Diagnostic> problems;
    std::vector<bookc::BookFile> book = bookc::read_book(book_folder, problems);
    bookc::BankFacts banks = bookc::read_bank_facts(banks_folder, problems);
    std::set<std::string> only;
    for (const auto& file : checks) only.insert(as_listed(book_folder, file));
    for (auto& d : bookc::check_book(book, banks, only)) problems.push_back(std::move(d));
    // With --check, the named files' own problems and those of the questions citing their pages.
    auto wanted = [&](const bookc::Diagnostic& d) { return only.empty() || only.count(d.file) || d.file.ends_with(".qb"); };
    std::erase_if(problems, [&](const auto& d) { return !wanted(d); });

    // The layout decides whether a page fits; the PDF is written only for a sound, whole book.
    if (problems.empty() || !only.empty()) {
        std::vector<bookc::BookFile> laid_out;
        for (const auto& file : book)
            if (only.empty() || only.count(file.path)) laid_out.push_back(file);
        QString pdf = problems.empty() && only.empty() ? QString::fromStdString(out_file) : QString();
        for (auto& d : bookc::write_book_pdf(laid_out, pdf)) problems.push_back(std::move(d));
    }
    for (const auto& d : problems) std::cerr << d.file << ":" << d.line << ": " << d.message << "\n";
    if (!problems.empty()) {
        std::cerr << "bookc: " << problems.size() << " problem" << (problems.size() == 1 ? "" : "s") << "\n";
        return 1;
    }
    return 0;
}
