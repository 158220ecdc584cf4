#pragma once
// The full review of a finished quiz: one page with every question in quiz
// order, the student's answer and the right one marked by symbol and words,
// the explanation, the study-guide page and the flag; radio buttons at the
// top show all questions or only the wrong, flagged or unanswered ones.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bank/question_table.h"
#include "state/quiz_state.h"

namespace qd {

enum class ReviewStatus { right, wrong, unanswered };

struct ReviewEntry {
    int position = 0;
    int table_index = 0;
    ReviewStatus status = ReviewStatus::unanswered;
    bool flagged = false;
};
std::vector<ReviewEntry> review_entries(const QuizState& quiz, const QuestionTable& table);

struct ReviewPageSettings {
    std::string exam_title;
    int font_size = 12;
    std::string font_name = "Times New Roman";
};

// The page's link to the study guide for the question at a position, and the
// position such a link names.
std::string book_link_address(int position);
std::optional<int> book_link_position(std::string_view address);

std::string review_page_html(const QuizState& quiz, const QuestionTable& table, const ReviewPageSettings& settings);

}  // namespace qd
