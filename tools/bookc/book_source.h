#pragma once
// What the study guide's plain-text sources say: one file per chapter (and
// the front matter and the part opener), each a header and its pages.
#include <string>
#include <vector>

#include "source_question.h"

namespace bookc {

using Diagnostic = bankc::Diagnostic;

enum class BlockKind { paragraph, bullets, table, console, tip };

// One element of a page's body. Paragraphs and tips hold their text as one
// entry; bullet lists one entry per item; tables one entry per row (cells
// still joined by "|"); console blocks one entry per line, as typed.
struct Block {
    BlockKind kind = BlockKind::paragraph;
    int line = 0;
    std::vector<std::string> lines;
};

struct BookPage {
    int number = 0;
    int line = 0;         // the line of its "@page"
    std::string heading;  // the text after "## "
    int heading_line = 0;
    std::vector<Block> blocks;
    int words = 0;  // words of the body
};

struct BookFile {
    std::string path;  // as shown in messages
    std::string part;  // "front", "intro", "between" or "orlin"
    int chapter = 0;
    std::string title;
    int first_page = 0, last_page = 0;
    int header_line = 1;
    std::vector<BookPage> pages;

    bool is_chapter() const { return part == "intro" || part == "orlin"; }
};

// Reads one source file; every line it cannot accept becomes a diagnostic.
BookFile parse_book_file(const std::string& text, const std::string& display_path, std::vector<Diagnostic>& diagnostics);

// The cells of a table row: split on "|", blanks trimmed, the empty pieces
// before a leading and after a trailing "|" dropped.
std::vector<std::string> table_cells(const std::string& row);

// Words of a text: runs of non-blank characters holding a letter or digit.
int count_words(const std::string& text);

}  // namespace bookc
