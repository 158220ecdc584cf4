#pragma once
// The study guide's checks against itself and against the question banks:
// every cited page has a note, every chapter file agrees with its bank
// chapter, every page of the book appears once, in order, at a sound length.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "book_source.h"

namespace bookc {

// A chapter as the banks define it (a chapter .qb file's header).
struct BankChapter {
    std::string part;  // the bank folder: "intro" or "orlin"
    int chapter = 0;
    std::string title;
    int first_page = 0, last_page = 0;
    std::string file;
};

// A question's reference to a page ("ref: 112##").
struct Citation {
    int page = 0;
    std::string file;
    int line = 0;
};

struct BankFacts {
    std::vector<BankChapter> chapters;
    std::vector<Citation> citations;
};

// Reads every .qb file under the banks folder. Problems of the question files
// themselves are the bank compiler's to report; an unreadable folder is ours.
BankFacts read_bank_facts(const std::filesystem::path& banks_folder, std::vector<Diagnostic>& diagnostics);

// Every .txt file of the book folder, parsed, in name order.
std::vector<BookFile> read_book(const std::filesystem::path& book_folder, std::vector<Diagnostic>& diagnostics);

inline constexpr int kMinimumWords = 100;
inline constexpr int kMaximumWords = 320;

// With `only` empty the whole book is checked: every bank chapter needs its
// file and the files together must cover page 1 to the last page. With file
// paths in `only`, just those files (and the citations of their pages) are.
std::vector<Diagnostic> check_book(const std::vector<BookFile>& files, const BankFacts& banks,
                                   const std::set<std::string>& only = {});

// The expected file name of a source: "front.txt", "intro_ch04.txt".
std::string expected_file_name(const BookFile& file);

}  // namespace bookc
