#pragma once
// The state of the quiz being taken: which questions are asked in which order,
// where the student is, and what has been graded so far. Written by the quiz
// builder when a quiz starts and by the quiz window; read by the explanation
// and results windows.
#include <array>
#include <chrono>
#include <cstdint>
#include <string>

#include "bank/question_record.h"

namespace qd {

inline constexpr int kQuizSlots = 2001;      // indices 0 to 2000; slot 0 unused
inline constexpr int kCategorySlots = 151;   // indices 0 to 150

struct QuizState {
    std::array<std::int16_t, kQuizSlots> question_order{};  // entry p: question number asked at position p
    std::int16_t quiz_length = 0;
    std::int16_t order_base = 1;
    std::int16_t order_stride = 1;
    std::int16_t quiz_position = 0;  // 0 before the first question
    std::int16_t current_index = 0;
    QuestionRecord current_question;
    std::int16_t answer_count = 0;
    std::int16_t correct_count = 0;
    bool single_answer = true;
    std::string input_kind;          // "Radio_Button", "Check_Box", "Fill_In", "Drag_Drop", "MS_Sim", "MS_Sim2", "Sim"
    std::int16_t verdict = 0;        // 1 right, 99 wrong
    std::int16_t right_count = 0;
    std::array<std::string, kQuizSlots> chosen_letters;  // by table index
    std::array<std::string, kQuizSlots> missed_flags;    // by question_id: "1" missed, "0" right
    std::array<std::int16_t, kCategorySlots> cat_asked{};
    std::array<std::int16_t, kCategorySlots> cat_right{};
    std::int16_t from_answer_check = 0;
    std::array<std::string, 7> answer_letters;  // slots 1 to 6
    std::int16_t first_page = 1;
    // By position: the student flagged the question to come back to. Cleared
    // when the quiz window loads; read by the results window after the quiz.
    std::array<bool, kQuizSlots> flagged{};

    bool flagged_at(int position) const { return position >= 1 && position < kQuizSlots && flagged[position]; }

    // The table index of the question asked at position p.
    int table_index_at(int position) const { return order_base + (question_order.at(position) - 1) * order_stride; }
};

}  // namespace qd
