#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdlib>
#include <functional>
#include <optional>

#include "../common/fake_window.h"
#include "gui_test.h"
#include "pdf_text.h"
#include "platform/webengine/webengine_browser.h"
#include "program_world.h"
#include "results/explanation_window.h"

namespace qd {
namespace {

using testing::pdf_text;
using testing::read_file;

// A stand-in for the quiz window: just the state of its answer-check button.
struct QuizWindowStandIn : testing::FakeWindow, QuizWindowOperations {
    explicit QuizWindowStandIn(std::vector<std::string>& events) : FakeWindow(kQuizWindow, events) {}
    void show_quest() override {}
    void end_the_test() override {}
    void set_answer_check_enabled(bool enabled) override { answer_check_enabled = enabled; }
    bool answer_check_enabled = true;
};

class ExplanationWindowTest : public ::testing::Test, protected testing::ProgramWorld {
protected:
    static void SetUpTestSuite() {
        testing::gui_application();
        browsers = new WebEngineBrowserFactory;  // one engine for the whole program
    }

    ExplanationWindowTest() {
        std::filesystem::create_directories(folder / "pv_navra");
        state.paths.data_folder = (folder / "pv_navra").string() + "/";
        state.bank = {};
        state.bank.exam_title = "First Part Exam";
        state.bank.version_text = "5.56";
        state.bank.product_number = "41517";
        state.quality_mailbox = "qc_pv_navra@maker.test";
        settings.working.font_size = 12;
        settings.working.font_name = "Arial";

        QuestionRecord& record = state.table.at(7);
        record.question_text = "Which protocol is a link-state protocol?";
        record.answers[1] = "RIP";
        record.answers[2] = "OSPF";
        record.answers[3] = "EIGRP";
        record.correct[2] = 1;
        record.explanation = "OSPF floods link-state advertisements. See http://tutor.test/ospf for more.";
        record.ref_tag = "233";
        record.question_id = 7;
        record.result = 2;
        record.exhibit_files[1] = "r1.txt";
        state.quiz.current_index = 7;
        state.quiz.chosen_letters[7] = " C";

        ExplanationServices explanation{services,
                                        [] { return browsers->create(); },
                                        [] { return std::string("<html><body>"); },
                                        [](const std::string& address) { return "<p>player " + address + "</p>"; },
                                        [this](Browser& browser) { return print(browser); },
                                        {}};
        explanation.addresses.author_mailbox = "authors@maker.test";
        windows.define(kExplanationWindow, [explanation] { return create_explanation_window(explanation); });
        windows.define(kQuizWindow, [this] { return std::make_unique<QuizWindowStandIn>(events); });
    }

    ExplanationHandle& handle() { return windows.get<ExplanationHandle>(kExplanationWindow); }

    // Runs `act` once the modal window is on screen. The page is written
    // before the window shows, while events run, so this polls for it.
    // The poll belongs to the test, so it ends with it even if the window never shows.
    void when_shown(std::function<void(ExplanationWindow&)> act) {
        QObject::disconnect(&poll_, nullptr, nullptr, nullptr);
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this, act] {
            ExplanationWindow* window = handle().current();
            if (!window || !window->isVisible()) return;
            poll_.stop();
            act(*window);
        });
        poll_.start();
    }

    // Shows the answer and runs `while_shown` in the modal window, then closes it with "&Close".
    void show_answer(const std::function<void(ExplanationWindow&)>& while_shown) {
        bool ran = false;
        when_shown([&](ExplanationWindow& window) {
            while_shown(window);
            ran = true;
            QTest::mouseClick(window.findChild<QPushButton*>("Closeb"), Qt::LeftButton);
        });
        handle().show_answer(false);
        EXPECT_TRUE(ran);
    }

    static inline WebEngineBrowserFactory* browsers = nullptr;
    std::vector<std::string> events;
    QTimer poll_;
    std::function<bool(Browser&)> print = [this](Browser& browser) {
        return probe_of(browser).print_to_pdf((folder / "page.pdf").string());
    };
};

TEST_F(ExplanationWindowTest, printingThePageGivesItsTextAndAFailureIsReported) {
    // Print-only: printed, never shown.
    handle().show_answer(true);
    ASSERT_NE(handle().current(), nullptr);
    EXPECT_FALSE(handle().current()->isVisible());
    const std::string text = pdf_text(folder / "page.pdf");
    for (const char* expected :
         {"Incorrect. Your answer was: C", "The correct answer(s): B", "Which protocol is a link-state protocol?", "A.) RIP",
          "B.) OSPF", "C.) EIGRP", "Palvera Press Book Reference: Page - 233", "QID: 7 First Part Exam v5.56"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin: " << text;
    EXPECT_EQ(state.quiz.verdict, 99);

    print = [](Browser&) { return false; };
    dialogs.expect_message("Printing Error - 15DEC02.", "Printing Error");
    handle().show_answer(true);
}

TEST_F(ExplanationWindowTest, shownWindowOffersFeedbackWebLinkAndExhibitsAndClosesAgain) {
    auto& quiz = static_cast<QuizWindowStandIn&>(windows.load(kQuizWindow));
    state.quiz.from_answer_check = 1;
    state.table.at(7).explanation += "<a href=\"#\" id=\"Exhibit1\">Exhibit 1</a>";
    show_answer([&](ExplanationWindow& window) {
        EXPECT_EQ(window.windowTitle(), "The Answer");
        EXPECT_FALSE(quiz.answer_check_enabled);
        EXPECT_EQ(state.quiz.from_answer_check, 0);
        EXPECT_TRUE(window.findChild<QPushButton*>("webcmd")->isVisible());
        QTest::mouseClick(window.findChild<QPushButton*>("webcmd"), Qt::LeftButton);
        QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);

        const auto centre = probe_of(window.browser()).element_center("#Exhibit1");
        ASSERT_TRUE(centre);
        QWidget* page = window.browser().widget();
        QTest::mouseClick(page->focusProxy() ? page->focusProxy() : page, Qt::LeftButton, {}, QPoint(centre->x, centre->y));
        EXPECT_TRUE(QTest::qWaitFor([&] { return shell.opened.size() == 3; }, 5000));
    });
    EXPECT_TRUE(quiz.answer_check_enabled);
    ASSERT_EQ(shell.opened.size(), 3u);
    EXPECT_EQ(shell.opened[0].first, "http://tutor.test/ospf");
    EXPECT_EQ(shell.opened[1].first,
              "mailto:authors@maker.test?subject=41517 First Part Exam QuestionID=7  (v5.56) &cc=qc_pv_navra@maker.test"
              "&BODY=Remember that answers are listed in random order.");
    EXPECT_EQ(shell.opened[2].first, state.paths.data_folder + "r1.txt");
    EXPECT_EQ(shell.opened[2].second, ShowMode::normal);
}

TEST_F(ExplanationWindowTest, aMissedLabListsItemByItemWhatWasExpectedAndFoundAboveItsTranscript) {
    QuestionRecord& lab = state.table.at(7);
    lab.diagram_files[1] = "xxsim";
    lab.answers = {"", "[hostname]R1", "[line vty 0 4 password]quartz", "", "", "", ""};
    lab.explanation = "Router(config)#hostname R1<br>R1(config)#line vty 0 4<br>R1(config-line)#password quartz";
    state.quiz.lab_findings[7] = {{"hostname", "R1", "R1", true, true}, {"line vty 0 4 password", "quartz", "", false, false}};
    show_answer([&](ExplanationWindow& window) {
        const std::string text = probe_of(window.browser()).visible_text();
        const std::size_t right = text.find("hostname: expected R1, found R1 \xE2\x80\x94 right");
        const std::size_t missing = text.find("line vty 0 4 password: expected quartz, found nothing \xE2\x80\x94 missing");
        const std::size_t transcript = text.find("Router(config)#hostname R1");
        EXPECT_NE(right, std::string::npos) << text;
        EXPECT_NE(missing, std::string::npos) << text;
        EXPECT_LT(right, missing);
        EXPECT_LT(missing, transcript);
        auto* view = qobject_cast<QWebEngineView*>(window.browser().widget());
        std::optional<QVariant> font;
        view->page()->runJavaScript("getComputedStyle(document.querySelector('.transcript')).fontFamily",
                                    [&](const QVariant& value) { font = value; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return font.has_value(); }, 5000));
        EXPECT_NE(font->toString().indexOf("monospace"), -1) << font->toString().toStdString();
    });
}

TEST_F(ExplanationWindowTest, controlsAreNamedInTabOrderAndEscapeCloses) {
    state.table.at(7).explanation = "No address here.";
    show_answer([&](ExplanationWindow& window) {
        EXPECT_FALSE(window.findChild<QPushButton*>("webcmd")->isVisible());
        EXPECT_GE(window.width(), 9540 / 15);
        EXPECT_GE(window.height(), 6960 / 15);
        window.resize(300, 200);
        EXPECT_EQ(window.size(), QSize(9540 / 15, 6960 / 15));
        QWidget* previous = nullptr;
        for (auto [name, caption] :
             {std::pair{"Closeb", "Close"}, {"Command1", "E-mail feedback to author"}, {"Command2", "Print"}}) {
            auto* button = window.findChild<QPushButton*>(name);
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
            EXPECT_EQ(accessible->role(), QAccessible::Button);
            EXPECT_EQ(accessible->text(QAccessible::Name), caption);
            EXPECT_NE(button->focusPolicy() & Qt::TabFocus, 0);
            if (previous) {
                QWidget* next = previous->nextInFocusChain();
                while (next->focusPolicy() == Qt::NoFocus || !next->isVisible()) next = next->nextInFocusChain();
                EXPECT_EQ(next, button) << name;
            }
            previous = button;
        }
    });

    // Escape closes the window like "&Close".
    when_shown([](ExplanationWindow& window) { QTest::keyClick(&window, Qt::Key_Escape); });
    handle().show_answer(false);
    EXPECT_EQ(handle().current(), nullptr);
}

}  // namespace
}  // namespace qd
