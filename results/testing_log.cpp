#include "results/testing_log.h"

#include <algorithm>

#include "platform/file_for_writing.h"
#include "platform/text_forms.h"
#include "results/quiz_positions.h"

namespace qd {

namespace {

constexpr const char* kLineEnd = "\r\n";

// A number standing alone on a line: a blank (or the minus sign) before it and a blank after it.
std::string number_line(long long value) { return blank_led_number(value) + " " + kLineEnd; }

}  // namespace

std::string testing_log_opening(const BankState& bank, const QuizState& quiz, const QuestionTable& table) {
    std::string text = std::string("Category Information") + kLineEnd;
    const int last_category = std::min<int>(bank.category_count, kCategorySlots - 1);
    for (int category = 1; category <= last_category; ++category)
        text += bank.category_names[category] + ": " + blank_led_number(quiz.cat_asked[category]) + kLineEnd;
    text += std::string("Question History") + kLineEnd;
    for (int index = 0; index <= QuestionTable::kLastIndex; ++index) text += number_line(table.at(index).result);
    return text;
}

std::string testing_log_closing(const RetakeHandover& retake, const QuizState& quiz, const QuestionTable& table) {
    std::string text = "NUMBER WRONG: " + std::to_string(retake.missed_count) + kLineEnd;
    text += std::string("Wrong Questions: ") + kLineEnd;
    for (std::int16_t id : retake.missed_ids) text += number_line(id);
    text += std::string("Correct Questions") + kLineEnd;
    for_each_quiz_position(quiz, table, [&](int, int index, const QuestionRecord& record) {
        if (index > 0 && record.result == result_code::right) text += number_line(index);
    });
    return text;
}

bool write_testing_log(const std::filesystem::path& file, const std::string& text, bool append) {
    return !write_file(file, text, append ? WriteMode::append : WriteMode::replace_contents).has_value();
}

}  // namespace qd
