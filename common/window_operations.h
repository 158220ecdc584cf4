#pragma once
// The public operations that windows call on each other through the window
// registry (`windows.get<QuizWindowOperations>(kQuizWindow).show_quest()`).
// Each window class implements the interface of its own operations, so a
// caller can be tested with a double in the registry.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/window_fit.h"

namespace qd {

// The start window's operation that brings up the main menu.
class StartWindowOperations {
public:
    virtual ~StartWindowOperations() = default;
    virtual void start_quiz_click_sub() = 0;
};

// Why a quiz kept in the study record could not be taken up; `for_good`
// when it never can be (what was kept is damaged, or its exam has changed).
struct ResumeRefusal {
    std::string why;
    bool for_good = false;
};

// The main menu `pick_a_quiz`.
class MainMenuOperations {
public:
    virtual ~MainMenuOperations() = default;
    // Takes up in the quiz window the quiz the study record kept in progress
    // (its record `id` and what was kept); says why it cannot.
    virtual std::optional<ResumeRefusal> resume_quiz(std::int64_t id, const std::string& progress) = 0;
};

// The quiz window `quest`.
class QuizWindowOperations {
public:
    virtual ~QuizWindowOperations() = default;
    // Advances the quiz position and shows that question, or ends the quiz.
    virtual void show_quest() = 0;
    virtual void end_the_test() = 0;
    // The answer-check button (Next): off while an explanation opened from
    // it is on screen, so the student cannot move on underneath it.
    virtual void set_answer_check_enabled(bool enabled) = 0;
};

// The exhibit window `Exhibit`, one window reused for every exhibit.
class ExhibitWindowOperations {
public:
    virtual ~ExhibitWindowOperations() = default;
    // Shows `data_folder` + `file_name`, modeless; an empty name does nothing.
    // A window not yet on screen opens beside `quiz_frame` (pixels), sized to
    // its text; one already open stays where the student put it.
    virtual void show_exhibit_beside(const std::string& data_folder, const std::string& file_name, const WindowBox& quiz_frame) = 0;
};

// The explanation window `theanswer`: builds the explanation of the quiz
// state's current question and shows it, or only prints it.
class ExplanationWindowOperations {
public:
    virtual ~ExplanationWindowOperations() = default;
    virtual void show_answer(bool print_only) = 0;
};

// The results window `finalscore`.
class ResultsWindowOperations {
public:
    virtual ~ResultsWindowOperations() = default;
    // Appends the quiz just finished to the student's history report;
    // returns the report's name and why it could not be written (logged).
    virtual std::optional<std::string> save_history() = 0;
};

}  // namespace qd
