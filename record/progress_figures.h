#pragma once
// The figures of the progress window, from what the record holds of one
// student in one exam: the score of each finished quiz over time, each
// chapter's share right of its latest answers, how the exam's questions stand,
// and the average time per question.
#include <cstdint>
#include <string>
#include <vector>

#include "record/past_answers.h"
#include "record/weak_areas.h"

namespace qd {

// The score a student aims at in the progress window's trend.
inline constexpr int kPassMarkPercent = 80;

struct ScorePoint {
    std::int64_t when = 0;
    int right_count = 0;
    int length = 0;
    int percent = 0;  // rounded down, as the history report shows it
};

struct ChapterFigure {
    int category = 0;
    std::string name;
    int recent_right = 0;  // of the chapter's latest kChapterWindow answers
    int recent_answered = 0;
    int questions_seen = 0;  // of the chapter's questions, how many were ever answered
    int questions = 0;
    int percent() const { return recent_answered == 0 ? 0 : recent_right * 100 / recent_answered; }
};

struct ProgressFigures {
    std::vector<ScorePoint> scores;       // oldest first
    std::vector<ChapterFigure> chapters;  // in the bank's chapter order
    int never_seen = 0;
    int missed_last_time = 0;  // the latest answer was wrong
    int right_last_three = 0;  // the latest three answers were all right
    int answers = 0;
    double average_seconds = 0;  // per graded answer; 0 while there is none
    bool nothing_recorded() const { return scores.empty() && answers == 0; }
};

// `names` gives each category's name by its number (an empty name for none).
ProgressFigures progress_figures(const std::vector<ExamQuestion>& bank, const std::vector<std::string>& names,
                                 const std::vector<PastAnswer>& answers, const std::vector<PastQuiz>& quizzes);

}  // namespace qd
