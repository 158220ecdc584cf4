#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "../common/fake_window.h"
#include "common/error_log.h"
#include "flashcards/flash_card_window.h"
#include "gui_test.h"
#include "platform/settings_store.h"
#include "platform/testing/doubles.h"
#include "platform/text_forms.h"
#include "program_world.h"

namespace qd {
namespace {

class FlashCardWindowTest : public ::testing::Test, protected testing::ProgramWorld {
protected:
    FlashCardWindowTest() {
        testing::gui_application();
        const char* texts[] = {"", "First &lt;one&gt;?", "Second?", "Third?"};
        for (int i = 1; i <= 3; ++i) {
            QuestionRecord& record = state.table.at(i);
            record.question_text = texts[i];
            record.answers = {"", "yes", "no", "", "", "", ""};
            record.correct = {0, i == 2 ? std::int16_t(0) : std::int16_t(1), i == 2 ? std::int16_t(1) : std::int16_t(0), 0, 0, 0,
                              0};
            record.explanation = "Because.";
        }
        state.bank.question_count = 3;
        for (const char* name : {kMainMenu, kStartWindow})
            windows.define(name, [this, name] { return std::make_unique<testing::FakeWindow>(name, events); });
        windows.define(kFlashCardWindow, [this] { return create_flash_card_window(services, random, top_windows); });
    }

    FlashCardWindow& window() { return *static_cast<FlashCardHandle&>(windows.load(kFlashCardWindow)).window(); }
    QPushButton* button(const char* name) { return window().findChild<QPushButton*>(name); }
    QLabel* label(const QString& name) { return window().findChild<QLabel*>(name); }
    std::string card_text() { return window().findChild<QPlainTextEdit*>("text1")->toPlainText().toStdString(); }

    // j = count * 0.999.. + 1 = count: each card is swapped with the last one.
    testing::ScriptedRandom random{{}, 0.9999};
    testing::FakeTopWindows top_windows;
    std::vector<std::string> events;
};

TEST_F(FlashCardWindowTest, walksTheDeckWithTheKeyboardAndEndsBackOnTheMainMenu) {
    windows.show(kFlashCardWindow);
    QPushButton* main = button("cmd_main");
    EXPECT_EQ(main->text(), "Show Answer");
    EXPECT_FALSE(button("cmd_next")->isVisible());
    int cards = 0;
    dialogs.expect_message("All flash cards completed", "Flash Cards Completed");
    while (windows.is_loaded(kFlashCardWindow) && cards < 10) {
        EXPECT_EQ(card_text().rfind("Question #  ", 0), 0u) << card_text();
        QTest::keyClick(main, Qt::Key_Space);  // turns the card
        EXPECT_EQ(main->text(), "Show Next Question");
        EXPECT_NE(card_text().find("Correct answer(s):  "), std::string::npos);
        ++cards;
        QTest::keyClick(main, Qt::Key_Space);  // the next card, or the end of the deck
    }
    EXPECT_EQ(cards, 3);
    EXPECT_TRUE(windows.get<testing::FakeWindow>(kMainMenu).visible);
}

TEST_F(FlashCardWindowTest, theCardTextIsConvertedAndTheKeyboardStaysOnTheMainButton) {
    windows.show(kFlashCardWindow);
    // With every card swapped with the last one, the deck is 3, 1, 2.
    EXPECT_EQ(card_text(), "Question #  3\nThird?");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));  // focus moves only in the active window
    auto* text1 = window().findChild<QPlainTextEdit*>("text1");
    text1->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return button("cmd_main")->hasFocus(); }, 1000));

    for (const char* name : {"cmd_main", "Command3"}) {
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(button(name));
        ASSERT_NE(access, nullptr);
        EXPECT_EQ(access->role(), QAccessible::Button);
        EXPECT_EQ(access->text(QAccessible::Name), button(name)->text());
        EXPECT_TRUE(access->state().focusable);
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(text1)->text(QAccessible::Name), "Flash card");

    QTest::keyClick(&window(), Qt::Key_Escape);  // Exit: back to the main menu
    EXPECT_FALSE(windows.is_loaded(kFlashCardWindow));
}

TEST_F(FlashCardWindowTest, drillScreenCycleSecondBySecondAndEndOnMouseMove) {
    state.drill_screen_start = 1;
    top_windows.windows = {{7, "velqor_drill_screen companion"}, {8, "Terminal"}};
    FlashCardWindow& drill = window();
    drill.set_fade_duration_ms(0);
    windows.show(kFlashCardWindow);
    ASSERT_TRUE(drill.drill_mode());
    EXPECT_TRUE(drill.windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(drill.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(label("lblQuestnum")->text(), " 1. ");
    EXPECT_EQ(label("lblQuestion")->text(), "First <one>?");
    EXPECT_EQ(state.table.at(1).question_text, "First <one>?") << "the converted text is kept in the table";

    const auto text_colour = [&](const QString& name) { return label(name)->palette().color(QPalette::WindowText); };
    const auto background = [&](const QString& name) { return label(name)->palette().color(QPalette::Window); };
    for (int second = 1; second <= 16; ++second) {
        drill.FadeTimer_Timer();
        SCOPED_TRACE("second " + std::to_string(second));
        if (second < 3) {
            EXPECT_EQ(text_colour("lblQuestion"), QColor(Qt::black));
        }
        if (second == 3) {
            EXPECT_EQ(text_colour("lblQuestion"), QColor(Qt::white));
        }
        if (second == 5) {
            EXPECT_TRUE(label("lblAnswer_1")->text().isEmpty());
        }
        if (second == 6) {
            EXPECT_EQ(label("lblAnswer_1")->text(), "A.  yes");
            EXPECT_EQ(text_colour("lblAnswer_2"), QColor(Qt::white));
            EXPECT_EQ(background("lblAnswer_1"), QColor(Qt::black));
        }
        if (second == 12) {
            EXPECT_EQ(background("lblAnswer_1"), QColor(0, 204, 0));
            EXPECT_EQ(background("lblAnswer_2"), QColor(Qt::black));
        }
        if (second == 15) {
            EXPECT_EQ(text_colour("lblQuestion"), QColor(Qt::black));
            EXPECT_EQ(background("lblAnswer_1"), QColor(Qt::black));
        }
        if (second == 16) {
            EXPECT_EQ(label("lblQuestnum")->text(), " 2. ");
        }
    }

    QWidget* frame = drill.findChild<QWidget*>("Frame1");
    QTest::mouseMove(frame, QPoint(100, 100));
    QTest::mouseMove(frame, QPoint(103, 103));
    EXPECT_EQ(process_end.ends, 0) << "a move under 5 units goes on";
    QTest::mouseMove(frame, QPoint(103, 108));
    EXPECT_EQ(process_end.ends, 1);
    EXPECT_EQ(top_windows.closed, (std::vector<std::uint64_t>{7}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the cursor comes back";
}

// Card 10 and on have a wider number: the question moves right with it.
TEST_F(FlashCardWindowTest, theQuestionStartsRightOfItsNumberOnEveryCard) {
    for (int i = 4; i <= 12; ++i) state.table.at(i) = state.table.at(3);
    state.bank.question_count = 12;
    state.drill_screen_start = 1;
    FlashCardWindow& drill = window();
    drill.set_fade_duration_ms(0);
    windows.show(kFlashCardWindow);
    for (int card = 1; card <= 12; ++card) {
        SCOPED_TRACE("card " + std::to_string(card));
        ASSERT_EQ(label("lblQuestnum")->text(), QString::fromStdString(blank_led_number(card) + ". "));
        const int number_right = label("lblQuestnum")->geometry().right();
        EXPECT_EQ(label("lblQuestion")->x(), ((number_right + 1) * 15 + 30) / 15);
        for (int second = 0; second < 16; ++second) drill.FadeTimer_Timer();
    }
}

}  // namespace
}  // namespace qd
