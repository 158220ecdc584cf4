#include "setup/weak_areas_quiz.h"

#include <algorithm>
#include <map>

#include "platform/text_forms.h"
#include "record/weak_areas.h"

namespace qd {

WeakAreasQuiz weak_areas_quiz_of(const QuestionTable& table, int question_count, const std::vector<PastAnswer>& answers, int length,
                                 Random& random) {
    WeakAreasQuiz quiz;
    std::vector<ExamQuestion> bank;
    std::map<int, int> index_of;
    const int last = std::min(question_count, QuestionTable::kLastIndex);
    for (int i = 1; i <= last; ++i) {
        const QuestionRecord& question = table.at(i);
        bank.push_back({question.question_id, question.category == 0 ? 1 : question.category});
        index_of.emplace(question.question_id, i);
    }
    for (int id : weak_area_questions(bank, answers, length)) quiz.table_indices.push_back(index_of.at(id));
    if (!quiz.table_indices.empty() || bank.empty()) return quiz;

    // The first `length` places of a shuffle of the whole exam.
    quiz.random = true;
    std::vector<int> all;
    for (int i = 1; i <= last; ++i) all.push_back(i);
    const std::size_t count = std::min(all.size(), static_cast<std::size_t>(std::max(length, 0)));
    for (std::size_t i = 0; i < count; ++i) {
        const auto left = static_cast<double>(all.size() - i);
        const std::size_t pick = i + std::min(static_cast<std::size_t>(random.next_unit() * left), all.size() - i - 1);
        std::swap(all[i], all[pick]);
    }
    quiz.table_indices.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count));
    return quiz;
}

std::string weak_areas_random_message(const std::string& student, int length) {
    return "Nothing is recorded yet for " + std::string(trim_blanks(student)) + " in this exam, so this weak areas quiz asks " +
           std::to_string(length) +
           " questions drawn at random. Your answers are recorded from now on, and the next weak areas quiz is drawn from them.";
}

}  // namespace qd
