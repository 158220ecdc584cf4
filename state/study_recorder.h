#pragma once
// What the quiz tells the student's study record while it runs: a quiz begins,
// each answer is graded, the quiz ends. An implementation never throws and
// never stops a quiz; what it cannot keep it logs and skips.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qd {

struct QuizOpening {
    std::string student;         // the student name as stored
    std::string product_number;  // the exam's product number
    int length = 0;
    bool practice = false;  // practice mode, else test mode
    bool timed = false;
};

struct GradedAnswer {
    int question_id = 0;
    int category = 0;
    std::string answer;  // the letters chosen or the text typed
    bool right = false;
    double seconds = 0;  // time spent on the question before it was graded
};

enum class QuizEnding { graded, time_expired, abandoned };

// What the record knows of a student in an exam, for the progress figures
// and the weak-areas quiz.
struct PastAnswer {
    int question_id = 0;
    int category = 0;
    bool right = false;
    std::int64_t when = 0;  // seconds since the epoch
    double seconds = 0;     // time spent on the question
};

struct PastQuiz {
    std::int64_t started = 0;
    int length = 0;
    int right_count = 0;
};

class StudyRecorder {
public:
    virtual ~StudyRecorder() = default;
    virtual void quiz_started(const QuizOpening& quiz) = 0;
    // Kept before it returns: an answer reported is an answer on disk.
    virtual void answer_graded(const GradedAnswer& answer) = 0;
    virtual void quiz_ended(QuizEnding how, int right_count) = 0;

    // The student's answers in the exam, oldest first; none while the record
    // cannot be read.
    virtual std::vector<PastAnswer> past_answers(const std::string& student, const std::string& product_number) = 0;
    // The student's finished quizzes in the exam, oldest first.
    virtual std::vector<PastQuiz> past_quizzes(const std::string& student, const std::string& product_number) = 0;
    // Writes the student's record of the exam as CSV; returns why it failed, or nothing.
    virtual std::optional<std::string> export_csv(const std::string& student, const std::string& product_number,
                                                  const std::string& file) = 0;
};

}  // namespace qd
