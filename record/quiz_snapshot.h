#pragma once
// The quiz in progress as the study record keeps it: its questions and their
// order, where the student is, every answer and grade so far, the time used
// and the options in force, as lines of text. Read back, it puts the quiz
// where it was after the program is started again.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "state/program_state.h"
#include "state/user_settings.h"

namespace qd {

// The quiz of `state` with the student on the question at `position`;
// `elapsed_seconds` is the time a timed quiz has used.
std::string quiz_snapshot_text(const ProgramState& state, const WorkingSettings& working, int position,
                               std::int64_t elapsed_seconds);

// A snapshot read back and checked against the loaded question table, ready
// to be put in place.
struct QuizSnapshot {
    std::string product_number;
    std::string student;  // as stored
    int position = 0;     // the question the student was on
    std::int64_t elapsed_seconds = 0;
    SetupState setup;
    WorkingSettings options;  // the student name and the options of the quiz
    QuizState quiz;
    std::vector<std::pair<int, QuestionRecord>> answered;  // table index, its run fields
    int last_queued = 0;                                   // records 1 to this were queued for the quiz
};

// What was wrong with a snapshot that cannot be put back.
struct SnapshotFault {
    std::string why;
};

// Reads a snapshot; `table` is the loaded bank, whose questions must be the
// ones the quiz asked.
std::variant<QuizSnapshot, SnapshotFault> read_quiz_snapshot(std::string_view text, const QuestionTable& table);

// The product number a snapshot names ("" when it names none), so that the
// right bank can be loaded before it is read.
std::string snapshot_product_number(std::string_view text);

// Puts the quiz back into the program's state, the student on the question
// before `position` as the quiz window expects (its next show advances).
void restore_quiz_snapshot(const QuizSnapshot& snapshot, QuizState& quiz, SetupState& setup, QuestionTable& table,
                           WorkingSettings& working);

}  // namespace qd
