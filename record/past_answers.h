#pragma once
// What the record knows of one student in one exam, as the progress figures
// and the weak-areas quiz read it.
#include <SQLiteCpp/Database.h>

#include <string>
#include <vector>

#include "state/study_recorder.h"

namespace qd {

// The student's answers in the exam, oldest first.
std::vector<PastAnswer> past_answers(SQLite::Database& database, const std::string& student, const std::string& product_number);

// The student's finished quizzes in the exam (graded or time expired, and
// those read from history reports), oldest first.
std::vector<PastQuiz> past_quizzes(SQLite::Database& database, const std::string& student, const std::string& product_number);

}  // namespace qd
