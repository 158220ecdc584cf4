#pragma once
// The state of the quiz being taken: which questions are asked in which order,
// where the student is, and what has been graded so far. Written by the quiz
// builder when a quiz starts and by the quiz window; read by the explanation
// and results windows.
#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "bank/question_record.h"

namespace qd {

// How the question on screen takes its answer: an input of its page, or an
// exercise program started beside the quiz.
enum class InputKind { none, radio_button, check_box, fill_in, drag_drop, ms_sim, ms_sim2, sim };

// The kind as the program names it ("Radio_Button", "MS_Sim2"), for messages.
inline std::string_view input_kind_name(InputKind kind) {
    switch (kind) {
        case InputKind::none: return "";
        case InputKind::radio_button: return "Radio_Button";
        case InputKind::check_box: return "Check_Box";
        case InputKind::fill_in: return "Fill_In";
        case InputKind::drag_drop: return "Drag_Drop";
        case InputKind::ms_sim: return "MS_Sim";
        case InputKind::ms_sim2: return "MS_Sim2";
        case InputKind::sim: return "Sim";
    }
    return "";
}

// Whether the answer is read from the page's form at Next and Back.
inline bool answered_on_page(InputKind kind) {
    return kind == InputKind::radio_button || kind == InputKind::check_box || kind == InputKind::fill_in;
}

inline constexpr int kQuizSlots = 2001;     // indices 0 to 2000; slot 0 unused
inline constexpr int kCategorySlots = 151;  // indices 0 to 150

// One expectation of a router-console lab and what the console's result file
// held for it when the lab was graded.
struct LabFinding {
    std::string key;       // "hostname"
    std::string expected;  // as the question states it
    std::string found;     // trimmed; "" when the file held nothing for the key
    bool present = false;  // the file held the key
    bool right = false;
};

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
    InputKind input_kind = InputKind::none;
    std::int16_t verdict = verdict_code::none;
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
    // By table index: what each graded router-console lab expected and found.
    std::map<int, std::vector<LabFinding>> lab_findings;
    // The quiz was put back from the study record after the program started
    // again: the record goes on with it, and its flags stay.
    bool resumed = false;

    bool flagged_at(int position) const { return position >= 1 && position < kQuizSlots && flagged[position]; }

    // The table index of the question asked at position p.
    int table_index_at(int position) const { return order_base + (question_order.at(position) - 1) * order_stride; }
};

}  // namespace qd
