#include "record/progress_figures.h"

#include <algorithm>
#include <map>

namespace qd {

ProgressFigures progress_figures(const std::vector<ExamQuestion>& bank, const std::vector<std::string>& names,
                                 const std::vector<PastAnswer>& answers, const std::vector<PastQuiz>& quizzes) {
    ProgressFigures figures;
    for (const PastQuiz& quiz : quizzes) {
        if (quiz.length <= 0) continue;
        figures.scores.push_back({quiz.started, quiz.right_count, quiz.length, quiz.right_count * 100 / quiz.length});
    }

    std::map<int, int> category_of;
    std::map<int, std::size_t> chapter_at;  // category -> index into figures.chapters
    for (const ExamQuestion& question : bank) {
        category_of[question.question_id] = question.category;
        auto [where, added] = chapter_at.emplace(question.category, figures.chapters.size());
        if (added) {
            const auto slot = static_cast<std::size_t>(question.category);
            figures.chapters.push_back({question.category, slot < names.size() ? names[slot] : std::string(), 0, 0, 0, 0});
        }
        ++figures.chapters[where->second].questions;
    }

    std::map<int, std::vector<bool>> by_question;  // right or wrong, oldest first
    std::map<int, std::vector<bool>> by_chapter;
    double seconds = 0;
    for (const PastAnswer& answer : answers) {
        const auto found = category_of.find(answer.question_id);
        if (found == category_of.end()) continue;
        by_question[answer.question_id].push_back(answer.right);
        by_chapter[found->second].push_back(answer.right);
        seconds += answer.seconds;
        ++figures.answers;
    }
    if (figures.answers > 0) figures.average_seconds = seconds / figures.answers;

    for (const ExamQuestion& question : bank) {
        const auto found = by_question.find(question.question_id);
        if (found == by_question.end()) {
            ++figures.never_seen;
            continue;
        }
        const std::vector<bool>& results = found->second;
        ++figures.chapters[chapter_at[question.category]].questions_seen;
        if (!results.back()) ++figures.missed_last_time;
        if (results.size() >= 3 && std::all_of(results.end() - 3, results.end(), [](bool right) { return right; }))
            ++figures.right_last_three;
    }
    for (ChapterFigure& chapter : figures.chapters) {
        const LatestShare latest = latest_share(by_chapter[chapter.category]);
        chapter.recent_answered = latest.answered;
        chapter.recent_right = latest.right;
    }
    return figures;
}

}  // namespace qd
