#pragma once
// A study record for window tests: it keeps what the quiz tells it in a list
// and reads back the answers and quizzes the test gives it.
#include <optional>
#include <string>
#include <vector>

#include "state/study_recorder.h"

namespace qd::testing {

class RecorderDouble final : public StudyRecorder {
public:
    void quiz_started(const QuizOpening& quiz) override { told.push_back("started " + quiz.student + " " + quiz.product_number); }
    void answer_graded(const GradedAnswer& answer) override { told.push_back("answer " + std::to_string(answer.question_id)); }
    void quiz_ended(QuizEnding, int right_count) override { told.push_back("ended " + std::to_string(right_count)); }
    std::vector<PastAnswer> past_answers(const std::string& student, const std::string& product_number) override {
        told.push_back("answers of " + student + " " + product_number);
        return answers;
    }
    void keep_progress(int, const std::string&) override {}
    std::optional<OpenQuiz> open_quiz(const std::string&, const std::string& product_number) override {
        if (open && !product_number.empty() && open->product_number != product_number) return std::nullopt;
        return open;
    }
    bool resume_quiz(std::int64_t id) override {
        told.push_back("resume " + std::to_string(id));
        return open && open->id == id;
    }
    void discard_quiz(std::int64_t id) override {
        told.push_back("discard " + std::to_string(id));
        open.reset();
    }
    std::vector<PastQuiz> past_quizzes(const std::string&, const std::string&) override { return quizzes; }
    std::optional<std::string> export_csv(const std::string&, const std::string&, const std::string& file) override {
        told.push_back("export " + file);
        return std::nullopt;
    }

    std::vector<PastAnswer> answers;
    std::vector<PastQuiz> quizzes;
    std::vector<std::string> told;
    std::optional<OpenQuiz> open;  // what open_quiz answers
};

}  // namespace qd::testing
