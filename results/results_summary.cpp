#include "results/results_summary.h"

#include "platform/text_forms.h"
#include "results/percent.h"
#include "results/quiz_positions.h"

namespace qd {

namespace {
constexpr int kListedCategories = 40;
}

ScoreLabels score_labels(const QuizState& quiz) {
    ScoreLabels labels;
    labels.right = blank_led_number(quiz.right_count);
    labels.total = blank_led_number(quiz.quiz_length);
    labels.percent = percent_right(quiz.right_count, quiz.quiz_length);
    if (labels.percent) labels.percent_text = blank_led_number(*labels.percent) + "%";
    labels.message = labels.percent == 100 ? "Congratulations, you scored perfect!" : "Take this test until you get 100%";
    return labels;
}

std::string category_score_text(int right, int asked) {
    const int percent = percent_right(right, asked).value_or(0);
    std::string fill;
    if (percent < 10) fill = " ";
    if (percent < 100) fill += " ";
    return fill + std::to_string(percent) + "% (" + std::to_string(right) + "/" + std::to_string(asked) + ")";
}

CategoryListing category_listing(const BankState& bank, const QuizState& quiz) {
    CategoryListing listing;
    for (int category = 1; category <= kListedCategories; ++category) {
        const std::string& name = bank.category_names[category];
        if (name.empty()) continue;
        const int asked = quiz.cat_asked[category];
        if (asked == 0) listing.nothing_asked.push_back(category);
        const std::string score = category_score_text(quiz.cat_right[category], asked);
        listing.lines.push_back(score + " " + name);
        listing.scores.push_back({score, name});
    }
    return listing;
}

QuestionList calc_list(ListFilter filter, const QuizState& quiz, const QuestionTable& table) {
    QuestionList list;
    for_each_quiz_position(quiz, table, [&](int position, int index, const QuestionRecord& record) {
        if (index == 0) return;
        const bool shown = filter == ListFilter::all || (filter == ListFilter::missed && record.result == result_code::wrong) ||
                           (filter == ListFilter::correct && record.result == result_code::right);
        if (shown) {
            list.lines.push_back(blank_led_number(position) + ".) [" + std::to_string(record.question_id) + "]  " +
                                 record.question_text);
            list.flagged.push_back(quiz.flagged_at(position));
        }
        if (record.result == result_code::wrong) ++list.wrong_count;
    });
    return list;
}

void fill_missed_list(const QuizState& quiz, const QuestionTable& table, RetakeHandover& retake) {
    retake.missed_count = 0;
    for_each_quiz_position(quiz, table, [&](int, int, const QuestionRecord& record) {
        if (record.result != result_code::wrong) return;
        if (retake.missed_count + 1 >= static_cast<int>(retake.missed_ids.size())) return;
        retake.missed_ids[++retake.missed_count] = record.question_id;
    });
}

std::optional<int> list_line_position(std::string_view line) {
    const std::size_t full_stop = line.find('.');
    if (full_stop == std::string_view::npos) return std::nullopt;
    return strict_integer(line.substr(0, full_stop));
}

}  // namespace qd
