#include <gtest/gtest.h>

#include <set>

#include "flashcards/drill_screen_rules.h"

namespace qd {
namespace {

class CountingRandom final : public Random {
public:
    double next_unit() override { return (++calls % 7) / 7.0; }
    void reseed_from_clock() override { ++reseeds; }
    int calls = 0;
    int reseeds = 0;
};

TEST(DrillScreen, screenClassesAndFontSizes) {
    struct ClassCase {
        int width, height, screen_class;
    } classes[] = {{640, 480, 1}, {800, 600, 2}, {1024, 768, 3}, {1280, 1024, 3}, {1000, 500, 0}, {1024, 767, 0}};
    for (const auto& c : classes) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_EQ(drill_screen_class(c.width, c.height), c.screen_class);
    }
    struct FontCase {
        int screen_class;
        std::size_t length;
        std::optional<int> size;
    } fonts[] = {{2, 50, 16}, {2, 51, 14}, {2, 139, 14}, {2, 140, 12}, {1, 10, 14}, {3, 200, 18}, {0, 10, std::nullopt}};
    for (const auto& f : fonts) {
        SCOPED_TRACE(std::to_string(f.screen_class) + "/" + std::to_string(f.length));
        EXPECT_EQ(drill_font_size(f.screen_class, f.length), f.size);
    }
}

TEST(DrillScreen, defaultCycleSecondBySecond) {
    DrillCycle cycle{DrillTimings{}};
    std::vector<std::pair<int, DrillStep>> steps;
    std::vector<int> new_cards;
    for (int second = 1; second <= 32; ++second) {
        const auto tick = cycle.advance();
        if (tick.next_card) new_cards.push_back(second);
        if (tick.step != DrillStep::none) steps.emplace_back(second, tick.step);
    }
    // A card every 16 seconds: placed, faded in at 3, answers at 6, highlight at 12, fade-out at 15.
    EXPECT_EQ(new_cards, (std::vector<int>{16, 32}));
    const std::vector<std::pair<int, DrillStep>> expected{
        {3, DrillStep::fade_in},  {6, DrillStep::show_answers},  {12, DrillStep::highlight}, {15, DrillStep::fade_out},
        {19, DrillStep::fade_in}, {22, DrillStep::show_answers}, {28, DrillStep::highlight}, {31, DrillStep::fade_out}};
    EXPECT_EQ(steps, expected);
}

// Hand-edited delays far beyond the main menu's boxes are held to them: the
// cycle's length stays a sum that fits, and its steps stay in order.
TEST(DrillScreen, delaysOutsideTheirRangeAreHeldToIt) {
    struct Case {
        int answer_delay, highlight_delay;
        int answers_at, highlight_at;
    };
    for (const Case& c : std::initializer_list<Case>{
             {2147483647, 2147483647, kLongestDelay + 3, 2 * kLongestDelay + 3}, {0, -5, 4, 5}, {-2147483647 - 1, 6, 4, 10}}) {
        SCOPED_TRACE(std::to_string(c.answer_delay) + "/" + std::to_string(c.highlight_delay));
        DrillCycle cycle{DrillTimings{c.answer_delay, c.highlight_delay}};
        int answers_at = 0, highlight_at = 0;
        for (int second = 1; second <= 2 * kLongestDelay + 10 && !highlight_at; ++second) {
            const auto tick = cycle.advance();
            if (tick.step == DrillStep::show_answers) answers_at = second;
            if (tick.step == DrillStep::highlight) highlight_at = second;
        }
        EXPECT_EQ(answers_at, c.answers_at);
        EXPECT_EQ(highlight_at, c.highlight_at);
    }
}

TEST(DrillScreen, bankOrderWrapsAndRandomOrderShowsEachOncePerPass) {
    CountingRandom random;
    DrillDeck in_order(3, false, random);
    std::vector<int> shown{in_order.current_card()};
    for (int i = 0; i < 4; ++i) {
        in_order.next();
        shown.push_back(in_order.current_card());
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 1, 2}));
    EXPECT_EQ(random.reseeds, 0);

    DrillDeck shuffled(5, true, random);
    EXPECT_EQ(random.reseeds, 1);
    for (int pass = 0; pass < 2; ++pass) {
        std::set<int> seen;
        for (int i = 0; i < 5; ++i) {
            seen.insert(shuffled.current_card());
            shuffled.next();
        }
        EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5})) << "pass " << pass;
    }
}

TEST(DrillScreen, mouseMoveOfFiveUnitsEndsTheShow) {
    MouseMoveWatch watch;
    EXPECT_FALSE(watch.ends_show(300, 200));  // first sample only records
    EXPECT_FALSE(watch.ends_show(304, 196));  // 4 units
    EXPECT_FALSE(watch.ends_show(300, 200));
    EXPECT_TRUE(watch.ends_show(300, 205));  // 5 units in y
}

}  // namespace
}  // namespace qd
