#pragma once
// Taking up a quiz that the study record kept in progress, after the program
// was closed or crashed in the middle of it, and the questions asked before a
// new quiz puts such a quiz aside.
#include <cstdint>
#include <optional>
#include <string>

#include "common/window_operations.h"
#include "setup/quiz_builder.h"
#include "state/study_recorder.h"

namespace qd {

// Loads the quiz's exam if another is loaded, puts the quiz back as it was
// and shows the question the student was on in the quiz window; the record
// goes on with the same quiz. Returns why it cannot be taken up, with the
// exam that was loaded loaded again and the quiz left as it is in the record.
std::optional<ResumeRefusal> resume_kept_quiz(std::int64_t id, const std::string& progress, QuizWorld& world,
                                              StudyRecorder& recorder);

// "the quiz you left at question 17 of 50"
std::string left_quiz_words(const OpenQuiz& quiz);

// Before a new quiz of `student` in the exam: when a quiz of theirs was left
// open, asks whether to discard it, and does. False when the student keeps it.
bool may_put_aside_open_quiz(StudyRecorder* recorder, const std::string& student, const std::string& product_number,
                             Dialogs& dialogs);

}  // namespace qd
