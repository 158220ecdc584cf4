#pragma once
// The weak-areas quiz of the main menu: which table records of the loaded
// exam it asks, from the student's study record, or at random when nothing
// is recorded yet.
#include <array>
#include <string>
#include <vector>

#include "bank/question_table.h"
#include "platform/random.h"
#include "state/study_recorder.h"

namespace qd {

inline constexpr std::array<int, 3> kWeakAreaLengths{10, 25, 50};

struct WeakAreasQuiz {
    std::vector<int> table_indices;  // in the order they are asked
    bool random = false;             // nothing recorded: drawn at random
};

// Records 1 to `question_count` of the table are the loaded exam.
WeakAreasQuiz weak_areas_quiz_of(const QuestionTable& table, int question_count, const std::vector<PastAnswer>& answers, int length,
                                 Random& random);

// What the student is told when the quiz is drawn at random.
std::string weak_areas_random_message(const std::string& student, int length);

}  // namespace qd
