#pragma once
// What a bank load installs beside the question table, and the fixed paths
// that do not depend on the bank.
#include <array>
#include <cstdint>
#include <string>

#include "bank/state_codes.h"

namespace qd {

struct BankState {
    std::int16_t question_count = 0;
    std::array<std::string, 151> category_names;  // slots 1 to category_count; slot 0 unused
    std::int16_t category_count = 0;
    std::int16_t categories_enabled = flag_code::clear;
    std::string exam_title;
    std::string product_number;
    std::string version_text;
    std::string description;  // shown only in the start window's hidden label
};

struct ProductPaths {
    std::string program_folder;  // always ends in "/"
    std::string data_file_name;
    std::string data_folder;
    std::string book_pdf_path;
    std::string book_pdf_name;
};

}  // namespace qd
