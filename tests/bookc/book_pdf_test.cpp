#include <gtest/gtest.h>

#include <QFile>
#include <QPdfDocument>
#include <QProcess>
#include <QRegularExpression>

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
        QString text = document.getAllText(expected.page - 1).text();
        EXPECT_TRUE(text.contains(expected.heading)) << text.toStdString();
        EXPECT_TRUE(text.contains(expected.head)) << text.toStdString();
        EXPECT_TRUE(text.contains("Sentence 11 of page " + QString::number(expected.page))) << text.toStdString();
        EXPECT_TRUE(text.contains("Router# show ip route"));
        // The page number stands at the end of the running head's line.
        EXPECT_TRUE(text.contains(QRegularExpression("\\b" + QString::number(expected.page) + "\\s*\\n"))) << text.toStdString();
    }
}

TEST(BookPdf, pageTallerThanThePrintedPage_stopsTheBuildWithFileAndLine) {
    qd::testing::gui_application();
    BookFixture fixture;
    std::string tall = page_text(4, "The network layer");
    for (int i = 0; i < 70; ++i) tall += "    !!!!!\n";  // ping output: long, but no words
    auto& chapter = fixture.book["intro_ch01.txt"];
    chapter = chapter.substr(0, chapter.find("@page 4")) + tall;
    QString pdf = QString::fromStdString((fixture.temp / "ZI_ZE.pdf").string());
    ToolRun run = build(fixture, pdf);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains("book/intro_ch01.txt:28: page 4 does not fit on one printed page")) << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(BookPdf, failedCheck_writesNoBookAndNamesTheCitingQuestion) {
    qd::testing::gui_application();
    BookFixture fixture;
    fixture.book.erase("intro_ch01.txt");
    QString pdf = QString::fromStdString((fixture.temp / "ZI_ZE.pdf").string());
    ToolRun run = build(fixture, pdf);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains("banks/intro/ch01_models.qb:7: page 4 cited here has no note in the book")) << run.errors.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
