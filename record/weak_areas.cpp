#include "record/weak_areas.h"

#include <algorithm>
#include <map>
#include <set>

namespace qd {

namespace {

struct Latest {
    bool right = false;
    std::int64_t when = 0;
    std::size_t order = 0;  // place in the record, for answers of the same second
};

}  // namespace

LatestShare latest_share(const std::vector<bool>& results) {
    const std::size_t from = results.size() > kChapterWindow ? results.size() - kChapterWindow : 0;
    const auto right = std::count(results.begin() + static_cast<std::ptrdiff_t>(from), results.end(), true);
    return {static_cast<int>(right), static_cast<int>(results.size() - from)};
}

std::vector<int> weak_area_questions(const std::vector<ExamQuestion>& bank, const std::vector<PastAnswer>& answers, int length) {
    std::vector<int> chosen;
    if (answers.empty() || length <= 0) return chosen;
    std::map<int, int> category_of;
    for (const ExamQuestion& question : bank) category_of[question.question_id] = question.category;

    std::map<int, Latest> latest;                     // by question id, questions of this bank only
    std::map<int, std::vector<bool>> chapter_recent;  // by category: right or wrong, oldest first
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const auto bank_question = category_of.find(answers[i].question_id);
        if (bank_question == category_of.end()) continue;
        latest[answers[i].question_id] = {answers[i].right, answers[i].when, i};
        chapter_recent[bank_question->second].push_back(answers[i].right);
    }
    if (latest.empty()) return chosen;  // only answers of questions this exam does not hold

    std::set<int> taken;
    auto take = [&](int id) {
        if (static_cast<int>(chosen.size()) < length && taken.insert(id).second) chosen.push_back(id);
    };

    std::vector<std::pair<int, Latest>> missed;
    for (const auto& [id, last] : latest)
        if (!last.right) missed.emplace_back(id, last);
    std::sort(missed.begin(), missed.end(), [](const auto& a, const auto& b) {
        return a.second.when != b.second.when ? a.second.when > b.second.when : a.second.order > b.second.order;
    });
    for (const auto& [id, last] : missed) take(id);

    // Chapters from the weakest; ties keep the bank's chapter order.
    std::vector<int> chapters;
    for (const ExamQuestion& question : bank)
        if (std::find(chapters.begin(), chapters.end(), question.category) == chapters.end()) chapters.push_back(question.category);
    auto share = [&](int category) {
        const auto found = chapter_recent.find(category);
        if (found == chapter_recent.end()) return 0.0;
        const LatestShare latest_answers = latest_share(found->second);
        return static_cast<double>(latest_answers.right) / latest_answers.answered;
    };
    std::stable_sort(chapters.begin(), chapters.end(), [&](int a, int b) { return share(a) < share(b); });

    for (int category : chapters) {
        std::vector<const ExamQuestion*> never, seen;
        for (const ExamQuestion& question : bank) {
            if (question.category != category) continue;
            (latest.count(question.question_id) ? seen : never).push_back(&question);
        }
        std::stable_sort(seen.begin(), seen.end(), [&](const ExamQuestion* a, const ExamQuestion* b) {
            const Latest& x = latest[a->question_id];
            const Latest& y = latest[b->question_id];
            return x.when != y.when ? x.when < y.when : x.order < y.order;
        });
        for (const ExamQuestion* question : never) take(question->question_id);
        for (const ExamQuestion* question : seen) take(question->question_id);
    }
    return chosen;
}

}  // namespace qd
