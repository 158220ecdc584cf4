#pragma once
// One question of the question table: the authored fields a bank load writes,
// the run fields the quiz writes, and the question's number.
#include <array>
#include <cstdint>
#include <string>

#include "bank/state_codes.h"

namespace qd {

struct QuestionRecord {
    std::string question_text;
    std::array<std::string, 7> answers;     // slots 1 to 6; slot 0 unused
    std::array<std::int16_t, 7> correct{};  // 1 when answer j is right
    std::string explanation;
    std::string question_type;
    std::array<std::string, 4> diagram_files;  // slots 1 to 3; slot 1 may hold an exercise marker
    std::array<std::string, 4> exhibit_files;  // slots 1 to 3; slot 2 of a simulator question: lab model
    std::int16_t question_id = 0;
    std::string clue;
    std::string ref_tag;
    std::int16_t result = result_code::not_graded;
    std::array<std::int16_t, 7> user_choice{};
    std::string user_text;
    std::int16_t shuffled = 0;
    std::int16_t category = 0;
    std::string tutor_link;
    std::string lab_start;  // simulator questions: global configuration commands the console starts from, <br> between them
};

}  // namespace qd
