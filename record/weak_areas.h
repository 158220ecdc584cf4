#pragma once
// The weak-areas quiz: which questions of the loaded exam to ask, from what
// the student answered before.
#include <vector>

#include "record/past_answers.h"

namespace qd {

struct ExamQuestion {
    int question_id = 0;
    int category = 0;
};

// How many of a chapter's latest answers its share right is taken from.
inline constexpr int kChapterWindow = 20;

// How many of the latest kChapterWindow results (oldest first) were right.
struct LatestShare {
    int right = 0;
    int answered = 0;
};
LatestShare latest_share(const std::vector<bool>& results);

// Up to `length` question ids of `bank`, each once: first the questions whose
// latest answer was wrong, the most recent first; then, chapter by chapter
// from the lowest share right of its latest answers (a chapter never answered
// counts as none right), its questions never seen, then those seen longest
// ago. Empty when none of the exam's questions was ever answered.
std::vector<int> weak_area_questions(const std::vector<ExamQuestion>& bank, const std::vector<PastAnswer>& answers, int length);

}  // namespace qd
