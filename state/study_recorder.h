#pragma once
// What the quiz tells the student's study record while it runs: a quiz begins,
// each answer is graded, the quiz ends; meanwhile the quiz in progress is
// kept, so that one left by a crash or a close can be taken up again. An
// implementation never throws and never stops a quiz; what it cannot keep it
// logs and skips.
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

// A quiz that was left before it ended, with what was kept of it.
struct OpenQuiz {
    std::int64_t id = 0;
    std::string product_number;
    int position = 0;      // the question the student was on
    int length = 0;        // of the quiz
    std::string progress;  // the quiz in progress, as the quiz kept it
};

class StudyRecorder {
public:
    virtual ~StudyRecorder() = default;
    virtual void quiz_started(const QuizOpening& quiz) = 0;
    // Kept before it returns: an answer reported is an answer on disk.
    virtual void answer_graded(const GradedAnswer& answer) = 0;
    virtual void quiz_ended(QuizEnding how, int right_count) = 0;

    // Keeps the quiz in progress: the question the student is on and what is
    // needed to go on from there. It replaces what was kept before and goes
    // when the quiz ends.
    virtual void keep_progress(int position, const std::string& progress) = 0;
    // The student's latest quiz left open with its progress kept, in the exam
    // or, for an empty product number, in any exam.
    virtual std::optional<OpenQuiz> open_quiz(const std::string& student, const std::string& product_number) = 0;
    // Goes on recording into the open quiz `id` after the program started
    // again; false when it is no longer open.
    virtual bool resume_quiz(std::int64_t id) = 0;
    // Ends the open quiz `id` as abandoned; its answers stay, its progress goes.
    virtual void discard_quiz(std::int64_t id) = 0;

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
