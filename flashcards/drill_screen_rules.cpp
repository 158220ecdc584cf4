#include "flashcards/drill_screen_rules.h"

#include <algorithm>
#include <cstdlib>

namespace qd {

int drill_screen_class(int width_pixels, int height_pixels) {
    const int sum = width_pixels + height_pixels;
    if (sum == 1120) return 1;
    if (sum == 1400) return 2;
    if (sum > 1791) return 3;
    return 0;
}

std::optional<int> drill_font_size(int screen_class, std::size_t length) {
    static constexpr int sizes[4][3] = {{0, 0, 0}, {14, 12, 10}, {16, 14, 12}, {26, 24, 18}};
    if (screen_class < 1 || screen_class > 3) return std::nullopt;
    const int column = length <= 50 ? 0 : length < 140 ? 1 : 2;
    return sizes[screen_class][column];
}

DrillCycle::DrillCycle(DrillTimings timings) : timings_(timings) {
    timings_.answer_delay = std::clamp(timings_.answer_delay, kShortestDelay, kLongestDelay);
    timings_.highlight_delay = std::clamp(timings_.highlight_delay, kShortestDelay, kLongestDelay);
}

DrillCycle::Tick DrillCycle::advance() {
    Tick result;
    if (++tick_ > timings_.cycle_length()) {
        tick_ = 0;
        result.next_card = true;
    }
    const int answers_at = timings_.answer_delay + 3;
    if (tick_ == 3) result.step = DrillStep::fade_in;
    else if (tick_ == answers_at) result.step = DrillStep::show_answers;
    else if (tick_ == answers_at + timings_.highlight_delay) result.step = DrillStep::highlight;
    else if (tick_ == timings_.cycle_length()) result.step = DrillStep::fade_out;
    return result;
}

DrillDeck::DrillDeck(int question_count, bool random_order, Random& random)
    : question_count_(std::max(1, question_count)), random_(random_order) {
    if (random_) {
        random.reseed_from_clock();
        order_ = build_card_order(question_count_, random);
        current_ = order_[1];
    }
}

void DrillDeck::next() {
    if (random_) {
        if (++position_ > question_count_) position_ = 1;
        current_ = order_[position_];
    } else if (++current_ > question_count_) {
        current_ = 1;
    }
}

bool MouseMoveWatch::ends_show(int x, int y) {
    const bool sampled = last_x_ != 0 || last_y_ != 0;
    const bool far = std::abs(x - last_x_) >= 5 || std::abs(y - last_y_) >= 5;
    last_x_ = x;
    last_y_ = y;
    return sampled && far;
}

}  // namespace qd
