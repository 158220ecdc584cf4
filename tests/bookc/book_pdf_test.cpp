#include <gtest/gtest.h>

#include <QFile>
#include <QPdfDocument>
#include <QProcess>

#include "book_checks.h"
#include "book_fixture.h"
#include "book_pdf.h"
#include "gui_test.h"

namespace {

using bookc::testing::BookFixture;
using bookc::testing::page_text;

struct ToolRun {
    int status = -1;
    QString errors;
};

ToolRun run_bookc(const QStringList& arguments) {
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(BOOKC_PROGRAM, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardError()};
}

// Writes the fixture and runs bookc on it.
ToolRun build(const BookFixture& fixture, const QString& pdf) {
    fixture.write();
    return run_bookc({"--out", pdf, QString::fromStdString(fixture.book_folder()), QString::fromStdString(fixture.banks_folder())});
}

TEST(BookPdf, builtBook_showsEachNoteOnItsOwnPageWithHeadAndNumber) {
    qd::testing::gui_application();
    BookFixture fixture;
    QString pdf = QString::fromStdString((fixture.temp / "ZI_ZE.pdf").string());
    ToolRun run = build(fixture, pdf);
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();

    QPdfDocument document;
    ASSERT_EQ(document.load(pdf), QPdfDocument::Error::None);
    ASSERT_EQ(document.pageCount(), 7);
    struct Expected {
        int page;
        QString heading, head;
    };
    const std::vector<Expected> pages{
        {1, "Fixture Study Guide", "Fixture Study Guide"},
        {4, "The network layer", "Part One, Chapter 1: Models"},
        {5, "Part Two", "Part Two"},
        {7, "Trunk ports", "Part Two, Chapter 1: VLANs"},
    };
    for (const auto& expected : pages) {
        SCOPED_TRACE(expected.page);
        QString text = document.getAllText(expected.page - 1).text().simplified();
        // The running head and the page number come first.
        EXPECT_TRUE(text.startsWith(expected.head + " " + QString::number(expected.page) + " ")) << text.toStdString();
        EXPECT_TRUE(text.contains(expected.heading)) << text.toStdString();
        EXPECT_TRUE(text.contains("Sentence 11 of page " + QString::number(expected.page))) << text.toStdString();
        EXPECT_TRUE(text.contains("Router# show ip route"));
    }
}

TEST(BookPdf, pageTallerOrWiderThanThePrintedPage_stopsTheBuildWithFileAndLine) {
    qd::testing::gui_application();
    BookFixture fixture;
    std::string tall = page_text(4, "The network layer");
    for (int i = 0; i < 70; ++i) tall += "    !!!!!\n";  // ping output: long, but no words
    auto& chapter = fixture.book["intro_ch01.txt"];
    chapter = chapter.substr(0, chapter.find("@page 4")) + tall;
    chapter.insert(chapter.find("@page 4"), "    R1# " + std::string(120, '-') + "\n\n");
    QString pdf = QString::fromStdString((fixture.temp / "ZI_ZE.pdf").string());
    ToolRun run = build(fixture, pdf);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains("book/intro_ch01.txt:6: page 3 has a line too wide for the page")) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains("book/intro_ch01.txt:30: page 4 does not fit on one printed page")) << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(BookPdf, failedCheck_writesNoBookAndNamesTheCitingQuestion) {
    qd::testing::gui_application();
    BookFixture fixture;
    fixture.book.erase("intro_ch01.txt");
    QString pdf = QString::fromStdString((fixture.temp / "ZI_ZE.pdf").string());
    ToolRun run = build(fixture, pdf);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains("banks/intro/ch01_models.qb:7: page 4 cited here has no note in the book"))
        << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

// The product's own book as the build placed it: every printed page is the
// PDF page of the same number and carries its note's heading and that number.
TEST(StudyGuide, everyPageHoldsItsHeadingAndNumber) {
    qd::testing::gui_application();
    std::vector<bookc::Diagnostic> problems;
    auto book = bookc::read_book(QUIZDECK_SOURCE_DIR "/content/book", problems);
    ASSERT_TRUE(problems.empty());
    // One text extraction for the whole book; pages end with a form feed.
    QProcess extract;
    extract.start("pdftotext", {"-layout", "-enc", "UTF-8", QUIZDECK_STAGE_DIR "/ZI_ZE.pdf", "-"});
    ASSERT_TRUE(extract.waitForFinished(60000));
    QStringList page_texts = QString::fromUtf8(extract.readAllStandardOutput()).split('\f');
    page_texts.removeLast();  // after the last page's form feed
    const QString title = bookc::book_title(book);
    int pages = 0;
    for (const auto& file : book) {
        const QString head = bookc::running_head(file, title) + " ";
        for (const auto& page : file.pages) {
            ++pages;
            SCOPED_TRACE(file.path + " page " + std::to_string(page.number));
            ASSERT_LT(page.number - 1, page_texts.size());
            QString text = page_texts[page.number - 1].simplified();
            EXPECT_TRUE(text.contains(QString::fromStdString(page.heading).simplified())) << text.left(200).toStdString();
            EXPECT_TRUE(text.startsWith(head + QString::number(page.number) + " ")) << text.left(200).toStdString();
        }
    }
    EXPECT_EQ(pages, page_texts.size());
}

}  // namespace
