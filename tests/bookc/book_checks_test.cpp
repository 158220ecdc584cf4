#include <gtest/gtest.h>

#include <algorithm>

#include "book_checks.h"
#include "book_fixture.h"

namespace {

using bookc::Diagnostic;
using bookc::testing::BookFixture;
using bookc::testing::page_text;

std::vector<Diagnostic> check(const BookFixture& fixture, const std::set<std::string>& only = {}) {
    fixture.write();
    std::vector<Diagnostic> problems;
    auto book = bookc::read_book(fixture.book_folder(), problems);
    auto banks = bookc::read_bank_facts(fixture.banks_folder(), problems);
    for (auto& d : bookc::check_book(book, banks, only)) problems.push_back(d);
    return problems;
}

std::string listing(const std::vector<Diagnostic>& problems) {
    std::string text;
    for (const auto& d : problems) text += d.file + ":" + std::to_string(d.line) + ": " + d.message + "\n";
    return text;
}

// True when exactly one problem was reported, in `file_end` at `line`, containing `words`.
::testing::AssertionResult only_problem(const std::vector<Diagnostic>& problems, const std::string& file_end, int line,
                                        const std::string& words) {
    if (problems.size() == 1 && problems[0].file.ends_with(file_end) && problems[0].line == line &&
        problems[0].message.find(words) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected one problem at " << file_end << ":" << line << " about \"" << words
                                         << "\", got:\n"
                                         << listing(problems);
}

TEST(BookChecks, soundFixture_hasNoProblems) {
    BookFixture fixture;
    EXPECT_EQ(listing(check(fixture)), "");
}

TEST(BookChecks, citedPageWithoutNote_isReportedAtTheCitingQuestion) {
    BookFixture fixture;
    // Page 7 leaves the chapter file: the range misses it and the question on line 7 cites it.
    auto& chapter = fixture.book["orlin_ch01.txt"];
    chapter.erase(chapter.find("@page 7"));
    auto problems = check(fixture);
    ASSERT_EQ(problems.size(), 2u) << listing(problems);
    EXPECT_TRUE(only_problem({problems[0]}, "banks/orlin/ch01_vlans.qb", 7, "page 7 cited here has no note"));
    EXPECT_TRUE(only_problem({problems[1]}, "book/orlin_ch01.txt", 1, "page 7 of the range is missing"));
}

TEST(BookChecks, missingChapterFile_reportsItsCitationsAndTheGap) {
    BookFixture fixture;
    fixture.book.erase("intro_ch01.txt");
    std::string text = listing(check(fixture));
    EXPECT_NE(text.find("banks/intro/ch01_models.qb:7: page 4 cited here has no note"), std::string::npos) << text;
    EXPECT_NE(text.find("banks/scenarios/mixed.qb:4: page 3 cited here has no note"), std::string::npos) << text;
    EXPECT_NE(text.find("chapter 1 has no file in the book (intro_ch01.txt)"), std::string::npos) << text;
    EXPECT_NE(text.find("pages 3-4 belong to no file"), std::string::npos) << text;
}

TEST(BookChecks, pageOutsideTheRange_isReportedAtItsPageLine) {
    BookFixture fixture;
    fixture.book["intro_ch01.txt"] += page_text(5, "A stray page", "Stray. ");
    EXPECT_TRUE(only_problem(check(fixture), "intro_ch01.txt", 50, "page 5 lies outside this file's pages 3-4"));
}

TEST(BookChecks, headerThatDisagreesWithTheBanks_namesTheBankFile) {
    struct Case {
        std::string from, to, words;
    };
    const std::vector<Case> cases{
        {"title: Models", "title: Layer Models", "title \"Layer Models\" disagrees with \"Models\" in"},
        {"chapter: 1\npart: intro", "chapter: 2\npart: intro", "must be named intro_ch02.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        BookFixture fixture;
        auto& text = fixture.book["intro_ch01.txt"];
        text.replace(text.find(c.from), c.from.size(), c.to);
        auto problems = check(fixture);
        ASSERT_FALSE(problems.empty());
        EXPECT_EQ(problems[0].line, 1);
        EXPECT_NE(listing(problems).find(c.words), std::string::npos) << listing(problems);
    }
    BookFixture fixture;
    fixture.banks["intro/ch01_models.qb"].replace(fixture.banks["intro/ch01_models.qb"].find("pages: 3-4"), 10, "pages: 3-5");
    auto problems = check(fixture);
    EXPECT_NE(listing(problems).find("intro_ch01.txt:1: pages 3-4 disagree with 3-5 in"), std::string::npos) << listing(problems);
}

TEST(BookChecks, pageStructureFaults_areReportedWithFileAndLine) {
    struct Case {
        std::string name, page_seven, words;
        int line;
    };
    std::string without_heading = page_text(7, "x");
    without_heading.erase(without_heading.find("## x\n"), 5);
    std::string long_body = page_text(7, "Trunk ports");
    for (int i = 0; i < 20; ++i) long_body += "Ten more words that make this page far too long now.\n";
    const std::vector<Case> cases{
        {"overlong", long_body, "page 7 has 367 words; a page holds at most 320", 28},
        {"short", "@page 7\n## Trunk ports\nToo short.\n", "page 7 has 2 words; a page needs at least 100", 28},
        {"no heading", without_heading, "page 7 must start with a \"## \" heading", 29},
        {"twice", page_text(7, "Trunk ports") + page_text(7, "Again", "Again. "), "page 7 appears twice", 50},
        {"repeated heading", page_text(7, "VLANs"), "the heading of page 7 repeats page 6", 28},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BookFixture fixture;
        auto& chapter = fixture.book["orlin_ch01.txt"];
        chapter = chapter.substr(0, chapter.find("@page 7")) + c.page_seven;
        EXPECT_TRUE(only_problem(check(fixture), "orlin_ch01.txt", c.line, c.words));
    }
}

TEST(BookChecks, checkingOneFile_leavesTheOthersAndTheirCitationsAlone) {
    BookFixture fixture;
    fixture.book.erase("orlin_ch01.txt");
    fixture.book.erase("between.txt");
    auto& chapter = fixture.book["intro_ch01.txt"];
    chapter.erase(chapter.find("@page 4"));
    auto problems = check(fixture, {fixture.book_folder() + "/intro_ch01.txt"});
    ASSERT_EQ(problems.size(), 2u) << listing(problems);
    EXPECT_TRUE(only_problem({problems[0]}, "ch01_models.qb", 7, "page 4 cited here"));
    EXPECT_TRUE(only_problem({problems[1]}, "intro_ch01.txt", 1, "page 4 of the range is missing"));
}

TEST(BookSource, bodyElements_areReadAsTheirKinds) {
    std::vector<Diagnostic> problems;
    auto file = bookc::parse_book_file(
        "part: front\npages: 1-1\n@page 1\n## Heading\nA paragraph\non two lines.\n\n- first item\n  continued\n- second\n"
        "| A | B |\n| 1 | 2 |\n    R1# show version\n      indented output\n> tip text\n> more tip\n",
        "front.txt", problems);
    EXPECT_TRUE(problems.empty()) << listing(problems);
    ASSERT_EQ(file.pages.size(), 1u);
    const auto& blocks = file.pages[0].blocks;
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_EQ(blocks[0].lines, std::vector<std::string>{"A paragraph on two lines."});
    EXPECT_EQ(blocks[1].lines, (std::vector<std::string>{"first item continued", "second"}));
    EXPECT_EQ(bookc::table_cells(blocks[2].lines[1]), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(blocks[3].lines, (std::vector<std::string>{"R1# show version", "  indented output"}));
    EXPECT_EQ(blocks[4].kind, bookc::BlockKind::tip);
    EXPECT_EQ(blocks[4].lines, std::vector<std::string>{"tip text more tip"});
}

}  // namespace
