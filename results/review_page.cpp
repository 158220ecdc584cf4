#include "results/review_page.h"

#include "common/chapter_page.h"
#include "platform/text_forms.h"
#include "results/explanation_page.h"
#include "results/quiz_positions.h"
#include "results/quiz_progress.h"

namespace qd {

namespace {

constexpr const char* kBookScheme = "quizdeck-book:";
constexpr char kLetters[] = " ABCDEF";  // letter of answer slot 1 to 6

// Symbol and word together: the marks never rest on colour.
constexpr const char* kRightMark = "\xE2\x9C\x93";  // ✓
constexpr const char* kWrongMark = "\xE2\x9C\x97";  // ✗
constexpr const char* kOpenMark = "\xE2\x80\x93";   // –
constexpr const char* kFlagMark = "\xE2\x9A\x91";   // ⚑

struct Filter {
    const char* id;
    const char* section_class;  // "" shows every question
    const char* caption;
    const char* none;  // shown when no question passes
};
constexpr Filter kFilters[] = {
    {"show_all", "", "All questions", "The quiz has no questions."},
    {"show_wrong", "wrong", "Wrong", "No question was answered wrong."},
    {"show_flagged", "flagged", "Flagged", "No question was flagged for review."},
    {"show_unanswered", "unanswered", "Unanswered", "Every question was answered."},
};

const char* status_class(ReviewStatus status) {
    switch (status) {
        case ReviewStatus::right: return "right";
        case ReviewStatus::wrong: return "wrong";
        case ReviewStatus::unanswered: break;
    }
    return "unanswered";
}

std::string status_line(ReviewStatus status) {
    switch (status) {
        case ReviewStatus::right: return std::string(kRightMark) + " Right";
        case ReviewStatus::wrong: return std::string(kWrongMark) + " Wrong";
        case ReviewStatus::unanswered: break;
    }
    return std::string(kOpenMark) + " Not answered";
}

std::string style_block(const ReviewPageSettings& settings) {
    std::string style = "<style>\n";
    style += "body { font-family: '" + html_text(settings.font_name) +
             "', serif; font-size: " + std::to_string(settings.font_size < 1 ? 12 : settings.font_size) +
             "pt; margin: 0 1em 1em; }\n";
    style +=
        "#filter_caption { display: inline; font-weight: bold; margin-right: 0.6em; }\n"
        "input[name=review_filter] + label { margin-right: 1.2em; }\n"
        "main { margin-top: 0.6em; }\n"
        "section { border-top: 1px solid GrayText; padding: 0.3em 0 0.8em; }\n"
        "h2 { font-size: 1.1em; margin: 0.4em 0; }\n"
        ".status, .flag { font-weight: bold; margin: 0.2em 0; }\n"
        ".answers { list-style: none; padding-left: 0.5em; }\n"
        ".answers li { margin: 0.15em 0; }\n"
        ".marks { font-weight: bold; }\n"
        "pre { font-family: 'Liberation Mono', monospace; white-space: pre-wrap; }\n"
        ".none { display: none; font-style: italic; }\n";
    // A filter hides the questions outside it, and says so when none is left.
    for (const Filter& filter : kFilters) {
        if (!*filter.section_class) continue;
        style += "#" + std::string(filter.id) + ":checked ~ main section:not(." + filter.section_class + ") { display: none; }\n";
    }
    for (const Filter& filter : kFilters)
        style += "#" + std::string(filter.id) + ":checked ~ main .none." + filter.id + " { display: block; }\n";
    style +=
        "@media print { #filter_caption, input[name=review_filter], input[name=review_filter] + label { display: none; }"
        " section { break-inside: avoid; } }\n</style>\n";
    return style;
}

std::string answer_marks(bool correct, bool chosen) {
    std::string marks;
    if (correct) marks = std::string(kRightMark) + " right answer";
    if (chosen) marks += marks.empty() ? std::string(kWrongMark) + " your answer" : std::string(", your answer");
    return marks.empty() ? marks : " <span class=\"marks\">" + marks + "</span>";
}

std::string answers_block(const QuestionRecord& record, const ReviewEntry& entry, const std::string& chosen_text,
                          const std::vector<LabFinding>& lab_findings) {
    const bool answered = entry.status != ReviewStatus::unanswered;
    if (is_exercise_marker(record.diagram_files[1])) return lab_feedback_html(lab_findings);
    if (is_fill_in(record))
        return "<p>Your answer: " + (answered ? "<b>" + html_text(chosen_text) + "</b>" : std::string("none")) + "<br>" +
               kRightMark + " Right answer: <b>" + record.answers[1] + "</b></p>\n";
    std::string list = "<ul class=\"answers\">\n";
    for (std::size_t slot = 1; slot <= 6; ++slot) {
        if (trim_blanks(record.answers[slot]).empty()) continue;
        const bool chosen = answered && record.user_choice[slot] == 1;
        list += "<li>" + std::string(1, kLetters[slot]) + ". " + record.answers[slot] +
                answer_marks(record.correct[slot] == 1, chosen) + "</li>\n";
    }
    return list + "</ul>\n";
}

std::string book_link(const QuestionRecord& record, int position) {
    const std::optional<int> index = review_page_index(record.ref_tag);
    if (!index) return {};
    const std::string page = std::to_string(*index + 1);
    return "<p><a href=\"" + book_link_address(position) + "\">Study guide, page " + page + "</a></p>\n";
}

std::string question_section(const ReviewEntry& entry, int quiz_length, const QuestionRecord& record,
                             const std::string& chosen_text, const std::vector<LabFinding>& lab_findings) {
    const std::string number = std::to_string(entry.position);
    std::string classes = status_class(entry.status);
    if (entry.flagged) classes += " flagged";
    std::string html = "<section class=\"" + classes + "\" aria-labelledby=\"h" + number + "\">\n";
    html += "<h2 id=\"h" + number + "\">Question " + number + " of " + std::to_string(quiz_length) + " (QID " +
            std::to_string(record.question_id) + ")</h2>\n";
    html += "<p class=\"status\">" + status_line(entry.status) + "</p>\n";
    if (entry.flagged) html += std::string("<p class=\"flag\">") + kFlagMark + " Flagged for review</p>\n";
    html += "<div class=\"question\">" + record.question_text + "</div>\n";
    html += answers_block(record, entry, chosen_text, lab_findings);
    if (!trim_blanks(record.explanation).empty())
        html += "<div class=\"explanation\"><b>Explanation:</b> " + record.explanation + "</div>\n";
    html += book_link(record, entry.position);
    return html + "</section>\n";
}

}  // namespace

std::vector<ReviewEntry> review_entries(const QuizState& quiz, const QuestionTable& table) {
    std::vector<ReviewEntry> entries;
    for_each_quiz_position(quiz, table, [&](int position, int index, const QuestionRecord& record) {
        ReviewEntry entry{position, index, ReviewStatus::unanswered, quiz.flagged_at(position)};
        if (position_answered(quiz, table, position))
            entry.status = record.result == result_code::right ? ReviewStatus::right : ReviewStatus::wrong;
        entries.push_back(entry);
    });
    return entries;
}

std::string book_link_address(int position) { return kBookScheme + std::to_string(position); }

std::optional<int> book_link_position(std::string_view address) {
    const std::string_view scheme = kBookScheme;
    if (address.substr(0, scheme.size()) != scheme) return std::nullopt;
    return strict_integer(address.substr(scheme.size()));
}

std::string review_page_html(const QuizState& quiz, const QuestionTable& table, const ReviewPageSettings& settings) {
    const std::vector<ReviewEntry> entries = review_entries(quiz, table);
    int counts[4] = {static_cast<int>(entries.size()), 0, 0, 0};
    for (const ReviewEntry& entry : entries) {
        if (entry.status == ReviewStatus::wrong) ++counts[1];
        if (entry.flagged) ++counts[2];
        if (entry.status == ReviewStatus::unanswered) ++counts[3];
    }
    const std::string title = "Review Answers: " + html_text(settings.exam_title);
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" + title + "</title>\n" +
                       style_block(settings) + "</head>\n<body>\n<h1>" + title + "</h1>\n";
    // The filters come before the questions they act on, as siblings, so the
    // page's style does the filtering without a script.
    html += "<p id=\"filter_caption\">Show:</p>\n";
    for (std::size_t f = 0; f < std::size(kFilters); ++f) {
        const Filter& filter = kFilters[f];
        html += std::string("<input type=\"radio\" name=\"review_filter\" id=\"") + filter.id + "\"" + (f == 0 ? " checked" : "") +
                " aria-describedby=\"filter_caption\"><label for=\"" + filter.id + "\">" + filter.caption + " (" +
                std::to_string(counts[f]) + ")</label>\n";
    }
    html += "<main>\n";
    for (std::size_t f = 0; f < std::size(kFilters); ++f)
        if (counts[f] == 0) html += std::string("<p class=\"none ") + kFilters[f].id + "\">" + kFilters[f].none + "</p>\n";
    for (const ReviewEntry& entry : entries) {
        const QuestionRecord& record = table.at(entry.table_index);
        const auto lab = quiz.lab_findings.find(entry.table_index);
        html += question_section(entry, quiz.quiz_length, record,
                                 quiz.chosen_letters.at(static_cast<std::size_t>(entry.table_index)),
                                 lab == quiz.lab_findings.end() ? std::vector<LabFinding>{} : lab->second);
    }
    return html + "</main>\n</body></html>\n";
}

}  // namespace qd
