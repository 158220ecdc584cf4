#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <map>

#include "bank/bank_loader.h"
#include "book_checks.h"
#include "book_fixture.h"
#include "book_pdf.h"
#include "common/book_viewer_window.h"
#include "common/chapter_page.h"
#include "common/chapter_reviewer.h"
#include "gui_test.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "tab_order.h"

namespace qd {
namespace {

// The small fixture book of the book tool's tests, written as a PDF of 7 pages.
struct ViewerFixture {
    bookc::testing::BookFixture book;
    std::string pdf = (book.temp / "ZI_ZE.pdf").string();
    std::vector<std::pair<std::string, int>> handed_over;
    BookViewerLink link{[this](const std::string& path, int index) { handed_over.emplace_back(path, index); }};

    ViewerFixture() {
        testing::gui_application();
        book.write();
        std::vector<bookc::Diagnostic> problems;
        auto files = bookc::read_book(book.book_folder(), problems);
        auto written = bookc::write_book_pdf(files, QString::fromStdString(pdf));
        EXPECT_TRUE(problems.empty() && written.empty());
    }
    QString shown_text() const { return link.window()->document().getAllText(link.window()->current_page_index()).text(); }
    template <class W>
    W* find(const char* name) const {
        return link.window()->findChild<W*>(name);
    }
};

TEST(BookViewer, opensAtThePageAndReusesOneWindow) {
    ViewerFixture f;
    EXPECT_EQ(f.link.open_at_page(f.pdf, 3).result, PdfOpenResult::shown);
    BookViewerWindow* window = f.link.window();
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_TRUE(f.shown_text().contains("The network layer"));
    EXPECT_EQ(f.find<QSpinBox>("page_number")->value(), 4);
    EXPECT_EQ(f.find<QLabel>("page_count")->text(), "of 7");
    EXPECT_TRUE(f.find<QLabel>("status")->text().startsWith("Page 4 of 7"));

    window->hide();
    EXPECT_EQ(f.link.open_at_page(f.pdf, 6).result, PdfOpenResult::shown);
    EXPECT_EQ(f.link.window(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(f.shown_text().contains("Trunk ports"));

    auto beyond = f.link.open_at_page(f.pdf, 45);
    EXPECT_EQ(beyond.result, PdfOpenResult::shown_at_last_page);
    EXPECT_EQ(beyond.page_count, 7);
    EXPECT_EQ(window->current_page_index(), 6);
}

TEST(BookViewer, missingOrDamagedBook_isReportedAndShowsNothing) {
    ViewerFixture f;
    EXPECT_EQ(f.link.open_at_page((f.book.temp / "absent.pdf").string(), 0).result, PdfOpenResult::missing);
    EXPECT_EQ(f.link.open_at_page(f.pdf, 0).result, PdfOpenResult::shown);
    // The same book replaced on disk by a damaged copy is read afresh.
    testing::write_file(f.pdf, "%PDF-1.4\nthis is not a PDF body\n");
    std::filesystem::last_write_time(f.pdf, std::filesystem::last_write_time(f.pdf) + std::chrono::seconds(2));
    EXPECT_EQ(f.link.open_at_page(f.pdf, 0).result, PdfOpenResult::damaged);
    EXPECT_FALSE(f.link.window()->isVisible());
}

TEST(BookViewer, navigatesSearchesZoomsAndHandsTheBookOver) {
    ViewerFixture f;
    f.link.open_at_page(f.pdf, 0);
    f.find<QPushButton>("next_page")->click();
    f.find<QPushButton>("next_page")->click();
    EXPECT_EQ(f.link.window()->current_page_index(), 2);
    f.find<QPushButton>("previous_page")->click();
    EXPECT_EQ(f.link.window()->current_page_index(), 1);
    f.find<QSpinBox>("page_number")->setValue(5);
    EXPECT_TRUE(f.shown_text().contains("Part Two"));

    f.find<QLineEdit>("find_text")->setText("trunk PORTS");
    f.find<QPushButton>("find_next")->click();
    QTRY_VERIFY(!f.link.window()->searching());
    EXPECT_EQ(f.link.window()->current_page_index(), 6);
    f.link.window()->find_next("not in any page");
    QTRY_VERIFY(!f.link.window()->searching());
    EXPECT_EQ(f.link.window()->current_page_index(), 6);
    EXPECT_EQ(f.find<QLabel>("status")->text(), "\"not in any page\" is not in the book.");

    f.find<QPushButton>("zoom_in")->click();
    EXPECT_TRUE(f.find<QLabel>("status")->text().endsWith("zoom 125%")) << f.find<QLabel>("status")->text().toStdString();
    f.find<QPushButton>("fit_width")->click();
    EXPECT_TRUE(f.find<QLabel>("status")->text().endsWith("fit to width"));

    f.find<QPushButton>("open_in_reader")->click();
    ASSERT_EQ(f.handed_over.size(), 1u);
    EXPECT_EQ(f.handed_over[0], std::make_pair(f.pdf, 6));
}

TEST(ChapterReviewer, opensTheBookAndHandsItToTheDesktopReaderItWasGiven) {
    ViewerFixture f;
    testing::RecordingPdfReader desktop;
    desktop.outcome.result = PdfOpenResult::no_reader;
    testing::ScriptedDialogs dialogs;
    ChapterReviewer reviewer(dialogs, desktop, "quizdeck");
    reviewer.review("3##", f.pdf);
    ASSERT_TRUE(reviewer.viewer().window() && reviewer.viewer().window()->isVisible());
    EXPECT_EQ(reviewer.viewer().window()->current_page_index(), 2);

    dialogs.expect_message("A PDF reader could not be found, please ensure that you have installed one correctly and try again.",
                           "quizdeck");
    reviewer.viewer().window()->findChild<QPushButton*>("open_in_reader")->click();
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], std::make_pair(f.pdf, 2));
}

TEST(BookViewer, controlsAreAccessibleInLayoutOrder) {
    ViewerFixture f;
    f.link.open_at_page(f.pdf, 0);
    const std::vector<std::pair<const char*, const char*>> controls{
        {"previous_page", "Previous"}, {"page_number", "Page"},
        {"next_page", "Next"},         {"zoom_out", "Zoom Out"},
        {"zoom_in", "Zoom In"},        {"fit_width", "Fit Width"},
        {"close_viewer", "Close"},     {"find_text", "Find"},
        {"find_next", "Find Next"},    {"open_in_reader", "Open in my PDF reader"},
    };
    QWidget* widget = f.find<QWidget>(controls.front().first);
    for (const auto& [name, caption] : controls) {
        SCOPED_TRACE(name);
        ASSERT_EQ(widget->objectName(), name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), caption);
        EXPECT_NE(accessible->role(), QAccessible::NoRole);
        EXPECT_NE(widget->focusPolicy() & Qt::TabFocus, 0);
        widget = testing::next_tab_stop(widget);  // Tab moves on along the tool bar
    }
    // Escape hides the viewer; the next click shows it again.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(f.link.window(), &escape);
    EXPECT_FALSE(f.link.window()->isVisible());
}

// Review Chapter on real questions of the full exam opens the product's own
// book at the page whose note the question cites.
TEST(ReviewChapter, realQuestionsOpenTheViewerAtTheirNotesPage) {
    testing::gui_application();
    testing::TempFolder temp;
    std::vector<bookc::Diagnostic> problems;
    auto book = bookc::read_book(QUIZDECK_SOURCE_DIR "/content/book", problems);
    std::map<int, QString> headings;
    for (const auto& file : book)
        for (const auto& page : file.pages) headings[page.number] = QString::fromStdString(page.heading).simplified();
    BookViewerLink link([](const std::string&, int) {});
    testing::ScriptedDialogs dialogs;  // expects no message
    const auto& questions = banks::pv_flash_combo.questions;
    for (std::size_t number : {1u, 120u, 300u, 520u, 566u, 665u}) {
        const std::string tag = questions[number - 1].ref_tag;
        SCOPED_TRACE("question " + std::to_string(number) + " " + tag);
        review_chapter(tag, QUIZDECK_STAGE_DIR "/ZI_ZE.pdf", "quizdeck", link, dialogs);
        ASSERT_TRUE(link.window() && link.window()->isVisible());
        const int index = link.window()->current_page_index();
        EXPECT_EQ(index, std::stoi(tag) - 1);
        EXPECT_TRUE(link.window()->document().getAllText(index).text().simplified().contains(headings[index + 1]))
            << headings[index + 1].toStdString();
    }
}

}  // namespace
}  // namespace qd
