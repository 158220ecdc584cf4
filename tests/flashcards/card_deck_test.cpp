#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "flashcards/card_deck.h"

namespace qd {
namespace {

class SeededRandom final : public Random {
public:
    double next_unit() override { return std::uniform_real_distribution<double>(0, 1)(engine_); }
    void reseed_from_clock() override {}

private:
    std::mt19937_64 engine_{42};
};

TEST(CardDeck, coversTheBankOnceAndKeepsEntriesAboveIt) {
    SeededRandom random;
    const CardOrder order = build_card_order(258, random);
    std::vector<int> cards(order.begin() + 1, order.begin() + 259);
    std::sort(cards.begin(), cards.end());
    for (int i = 0; i < 258; ++i) EXPECT_EQ(cards[i], i + 1);
    EXPECT_NE(std::vector<int>(order.begin() + 1, order.begin() + 259), cards) << "not shuffled";
    EXPECT_EQ(order[259], 259);
    EXPECT_EQ(order[2000], 2000);
}

TEST(CardDeck, textConversionTouchesOnlyBreaksAndAngleEntities) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"a<br>b", "a\r\nb"},
        {"Router&gt;enable &lt;cr&gt;", "Router>enable <cr>"},
        {"&amp; &nbsp; <BR>", "&amp; &nbsp; <BR>"},
        {"&lt;br&gt;", "<br>"},  // one pass: the break made from entities stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(flash_card_text(c.in), c.out);
    }
}

TEST(CardDeck, frontAndBackOfACard) {
    QuestionRecord single;
    single.question_text = "Which port?<br>Pick one.";
    single.answers = {"", "22", "23", "80", "", "", ""};
    single.correct = {0, 0, 1, 0, 0, 0, 0};
    single.explanation = "Telnet uses 23.";
    QuestionRecord fill_in;
    fill_in.question_type = "fill_in_the_blank";
    fill_in.question_text = "Type the command.";
    fill_in.answers = {"", "show run", "  ", "sh run", "", "", ""};
    QuestionRecord no_explanation = single;
    no_explanation.explanation = "";

    struct Case {
        const char* name;
        int index;
        const QuestionRecord& question;
        const char* front;
        const char* back;
    } cases[] = {
        {"one right answer", 12, single, "Question #  12\r\nWhich port?\r\nPick one.",
         "Question #  12\r\nWhich port?\r\nPick one.\r\nB.) 23\r\n\r\nCorrect answer(s):  B\r\n\r\nTelnet uses 23."},
        {"fill-in lists every non-empty answer", 7, fill_in, "Question #  7\r\nType the command.",
         "Question #  7\r\nType the command.\r\nA.) show run\r\nC.) sh run\r\n\r\nCorrect answer(s): \r\n\r\n"},
        {"no explanation keeps the two breaks", 3, no_explanation, "Question #  3\r\nWhich port?\r\nPick one.",
         "Question #  3\r\nWhich port?\r\nPick one.\r\nB.) 23\r\n\r\nCorrect answer(s):  B\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string front = card_front(c.index, c.question);
        EXPECT_EQ(front, c.front);
        EXPECT_EQ(card_back(front, c.question), c.back);
    }
}

}  // namespace
}  // namespace qd
