#include "flashcards/card_deck.h"

#include "platform/text_forms.h"

namespace qd {

namespace {
void replace_all(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

bool is_fill_in(const std::string& question_type) { return to_upper_ascii(question_type.substr(0, 4)) == "FILL"; }
}  // namespace

CardOrder build_card_order(int question_count, Random& random) {
    CardOrder order{};
    for (int i = 0; i < static_cast<int>(order.size()); ++i) order[i] = static_cast<std::int16_t>(i);
    const int count = std::min(question_count, static_cast<int>(order.size()) - 1);
    for (int i = 1; i <= count; ++i) {
        // A draw of exactly 1.0 cannot happen on [0, 1); the clamp keeps a
        // faulty generator inside the deck all the same.
        const int j = std::min(count, static_cast<int>(count * random.next_unit()) + 1);
        std::swap(order[i], order[std::max(1, j)]);
    }
    return order;
}

std::string flash_card_text(std::string text) {
    replace_all(text, "<br>", "\r\n");
    replace_all(text, "&gt;", ">");
    replace_all(text, "&lt;", "<");
    return text;
}

std::string card_front(int table_index, const QuestionRecord& question) {
    return flash_card_text("Question # " + blank_led_number(table_index) + "\r\n" + question.question_text);
}

std::string card_back(const std::string& front, const QuestionRecord& question) {
    std::string text = front;
    const bool fill_in = is_fill_in(question.question_type);
    for (int slot = 1; slot <= 6; ++slot) {
        const std::string& answer = question.answers[slot];
        if ((question.correct[slot] == 1 || fill_in) && !trim_blanks(answer).empty())
            text += "\r\n" + std::string(1, static_cast<char>('A' + slot - 1)) + ".) " + answer;
    }
    text += "\r\n";
    text += "\r\nCorrect answer(s): ";
    for (int slot = 1; slot <= 6; ++slot)
        if (question.correct[slot] == 1) text += std::string(" ") + static_cast<char>('A' + slot - 1);
    text += "\r\n\r\n" + question.explanation;
    return flash_card_text(text);
}

}  // namespace qd
