#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdlib>
#include <optional>

#include "../common/fake_window.h"
#include "common/book_viewer_window.h"
#include "gui_test.h"
#include "pdf_text.h"
#include "platform/webengine/webengine_browser.h"
#include "program_world.h"
#include "quiz_outcome.h"
#include "results/results_window.h"
#include "results/review_window.h"

namespace qd {
namespace {

using testing::pdf_text;
using testing::read_file;

class ReviewWindowTest : public ::testing::Test, protected testing::ProgramWorld {
protected:
    static void SetUpTestSuite() {
        testing::gui_application();
        browsers = new WebEngineBrowserFactory;  // one engine for the whole program
    }

    ReviewWindowTest() {
        services.browsers = browsers;
        state.paths.data_folder = folder.path().string() + "/";
        state.paths.book_pdf_path = std::string(QUIZDECK_STAGE_DIR) + "/ZI_ZE.pdf";
        windows.define(kResultsWindow, [this] { return create_results_window(services, clock, &desktop_reader); });
        windows.define(kQuizWindow, [this] { return std::make_unique<testing::FakeWindow>(kQuizWindow, events); });
        settings.working.student_name = "ALEX";
        // 1 right, 2 wrong, 3 never answered and flagged.
        testing::finish_quiz(state.table, state.quiz, state.bank, {{21, 1, 1}, {22, 2, 1}, {23, 0, 1}}, {"Routing"});
        for (int index : {21, 22, 23}) {
            QuestionRecord& record = state.table.at(index);
            record.answers = {"", "RIP", "OSPF", "", "", "", ""};
            record.correct = {0, 0, 1, 0, 0, 0, 0};
            record.explanation = "OSPF is link-state (" + std::to_string(index) + ").";
        }
        state.table.at(21).user_choice[2] = 1;
        state.quiz.chosen_letters[21] = " B";
        state.table.at(22).user_choice[1] = 1;
        state.quiz.chosen_letters[22] = " A";
        state.table.at(21).ref_tag = "46##";
        state.quiz.flagged[3] = true;
    }

    ResultsWindow& results() {
        return *static_cast<ResultsWindow*>(static_cast<WidgetWindow&>(windows.load(kResultsWindow)).widget());
    }

    ReviewWindow& open_review() {
        windows.show(kResultsWindow);
        auto* button = results().findChild<QPushButton*>("cmd_review");
        EXPECT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        ReviewWindow* review = results().review_window();
        EXPECT_NE(review, nullptr);
        EXPECT_TRUE(review->isVisible());
        return *review;
    }

    QVariant evaluate(ReviewWindow& review, const QString& script) {
        auto* view = qobject_cast<QWebEngineView*>(review.browser().widget());
        std::optional<QVariant> answer;
        view->page()->runJavaScript(script, [&](const QVariant& value) { answer = value; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 5000));
        return answer.value_or(QVariant());
    }

    // The headings of the questions the filter leaves on the page.
    QStringList shown_questions(ReviewWindow& review) {
        return evaluate(review,
                        "Array.from(document.querySelectorAll('section h2')).filter(h => h.offsetParent !== null)"
                        ".map(h => h.textContent.split(' (')[0])")
            .toStringList();
    }

    void click(ReviewWindow& review, const std::string& selector) {
        const auto centre = probe_of(review.browser()).element_center(selector);
        ASSERT_TRUE(centre) << selector;
        QTest::mouseClick(review.browser().widget()->focusProxy(), Qt::LeftButton, {}, QPoint(centre->x, centre->y));
    }

    static inline WebEngineBrowserFactory* browsers = nullptr;
    testing::FixedClock clock;
    testing::RecordingPdfReader desktop_reader;
    std::vector<std::string> events;
};

TEST_F(ReviewWindowTest, showsEveryQuestionWithItsMarks_andTheFiltersLeaveWrongFlaggedOrUnanswered) {
    ReviewWindow& review = open_review();
    EXPECT_EQ(review.windowTitle(), "Review Answers");
    const std::string text = probe_of(review.browser()).visible_text();
    for (const char* expected :
         {"Question 1 of 3", "\xE2\x9C\x93 Right", "B. OSPF \xE2\x9C\x93 right answer, your answer", "Question 2 of 3",
          "\xE2\x9C\x97 Wrong", "A. RIP \xE2\x9C\x97 your answer", "B. OSPF \xE2\x9C\x93 right answer", "Question 3 of 3",
          "\xE2\x80\x93 Not answered", "\xE2\x9A\x91 Flagged for review", "OSPF is link-state (23).", "Study guide, page 46"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_EQ(shown_questions(review), QStringList({"Question 1 of 3", "Question 2 of 3", "Question 3 of 3"}));
    if (const char* shot = std::getenv("QUIZDECK_SCREENSHOT")) review.grab().save(shot);

    click(review, "label[for=show_wrong]");
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown_questions(review) == QStringList({"Question 2 of 3"}); }, 5000));
    click(review, "label[for=show_flagged]");
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown_questions(review) == QStringList({"Question 3 of 3"}); }, 5000));
    // The filters are radio buttons: the arrow keys move between them.
    QTest::keyClick(review.browser().widget()->focusProxy(), Qt::Key_Right);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return evaluate(review, "document.activeElement.id").toString() == "show_unanswered"; }, 5000));
    EXPECT_EQ(shown_questions(review), QStringList({"Question 3 of 3"}));
}

TEST_F(ReviewWindowTest, theStudyGuideLinkOpensTheBookThere_andThePagePrints) {
    ReviewWindow& review = open_review();
    click(review, "a[href^='quizdeck-book:']");
    ASSERT_TRUE(QTest::qWaitFor([&] { return results().book_viewer() && results().book_viewer()->isVisible(); }, 10000));
    EXPECT_EQ(results().book_viewer()->current_page_index(), 45);
    EXPECT_TRUE(desktop_reader.opened.empty());

    // What is printed is what the filter shows, without the filter's buttons.
    click(review, "label[for=show_wrong]");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown_questions(review) == QStringList({"Question 2 of 3"}); }, 5000));
    const std::filesystem::path pdf = folder.path() / "review.pdf";
    ASSERT_TRUE(probe_of(review.browser()).print_to_pdf(pdf.string()));
    const std::string printed = pdf_text(pdf);
    EXPECT_NE(printed.find("Question 2 of 3"), std::string::npos) << printed;
    EXPECT_NE(printed.find("your answer"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("Question 1 of 3"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("Show:"), std::string::npos) << printed;
}

TEST_F(ReviewWindowTest, everyControlIsNamedAndEscapeCloses) {
    ReviewWindow& review = open_review();
    for (const auto& [name, caption] : {std::pair{"review_print", "Print"}, std::pair{"review_close", "Close"}}) {
        auto* button = review.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        EXPECT_EQ(accessible->role(), QAccessible::Button);
        EXPECT_EQ(accessible->text(QAccessible::Name), caption);
    }
    QTest::keyClick(&review, Qt::Key_Escape);
    EXPECT_FALSE(review.isVisible());
}

}  // namespace
}  // namespace qd
