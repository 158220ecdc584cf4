#pragma once
// A question bank as compiled into the program: constant tables that a bank
// load copies into the question table.
#include <array>
#include <cstdint>
#include <span>

namespace qd {

struct BankQuestion {
    const char* question_text = "";
    const char* explanation = "";
    const char* question_type = "";
    const char* ref_tag = "";
    std::array<const char*, 6> answers{"", "", "", "", "", ""};  // slots 1 to 6
    std::array<std::int16_t, 6> correct{};
    std::array<const char*, 3> diagram_files{"", "", ""};  // slot 1 may hold an exercise marker
    std::array<const char*, 3> exhibit_files{"", "", ""};  // slot 2 of a simulator question: the lab model
    std::int16_t category = 1;
    const char* lab_start = "";  // a simulator question's starting configuration commands
};

struct BankData {
    const char* module_name = "";
    const char* exam_title = "";
    const char* product_number = "";
    const char* version_text = "";
    const char* description = "";
    std::span<const char* const> category_names;  // categories 1 to N
    std::span<const BankQuestion> questions;      // questions 1 to question_count
};

}  // namespace qd
