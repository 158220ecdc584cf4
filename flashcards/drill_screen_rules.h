#pragma once
// The drill screen's rules, free of any window: the screen class and font
// sizes, the second-by-second cycle of a card, the next card, and the mouse
// move that ends the show.
#include <cstdint>
#include <optional>
#include <string>

#include "flashcards/card_deck.h"

namespace qd {

// 1 for a width + height of exactly 1120 pixels, 2 for exactly 1400, 3 above
// 1791, 0 otherwise (the design's font sizes are kept).
int drill_screen_class(int width_pixels, int height_pixels);

// The font size for a text of `length` characters on a screen of that class;
// nothing for class 0.
std::optional<int> drill_font_size(int screen_class, std::size_t length);

// The delays' range, as the main menu's boxes offer it.
inline constexpr int kShortestDelay = 1;
inline constexpr int kLongestDelay = 32767;

struct DrillTimings {
    int answer_delay = 3;     // seconds from the fade-in to the answers
    int highlight_delay = 6;  // seconds from the answers to the highlight
    int cycle_length() const { return answer_delay + highlight_delay + 6; }
};

// What one second of the cycle does.
enum class DrillStep { none, next_card, fade_in, show_answers, highlight, fade_out };

// Advances the tick by one second and says what happens. A new card is placed
// when the tick passes the cycle length (the tick is then 0); the steps of a
// card follow at 3, answer delay + 3, answer delay + 3 + highlight delay and
// the cycle length.
class DrillCycle {
public:
    // Delays outside their range are held to it, so the cycle's length cannot overflow.
    explicit DrillCycle(DrillTimings timings);
    // Returns the card step (next_card) first when one is due, then the timed step.
    struct Tick {
        bool next_card = false;
        DrillStep step = DrillStep::none;
    };
    Tick advance();
    int tick() const { return tick_; }

private:
    DrillTimings timings_;
    int tick_ = 0;
};

// The card order and the card on screen: in bank order from 1, or in the
// shuffled order, both wrapping after the last question.
class DrillDeck {
public:
    DrillDeck(int question_count, bool random_order, Random& random);
    int current_card() const { return current_; }
    void next();

private:
    int question_count_;
    bool random_;
    CardOrder order_{};
    int position_ = 1;
    int current_ = 1;
};

// The mouse move that ends the drill screen: 5 or more units in x or y from
// the last sample, once a sample other than (0, 0) has been taken. A smaller
// move only records the new position.
class MouseMoveWatch {
public:
    bool ends_show(int x, int y);

private:
    int last_x_ = 0;
    int last_y_ = 0;
};

}  // namespace qd
