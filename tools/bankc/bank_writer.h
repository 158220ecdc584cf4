#pragma once
// Output of bankc: the compiled banks as C++ tables, and the layout summary.
#include <string>
#include <vector>

#include "bank_assembly.h"

namespace bankc {

// A C++ source defining one `const qd::BankData` per bank, named after its
// module in lower case (PV_FLASH_INTRO becomes qd::banks::pv_flash_intro).
std::string write_cpp(const std::vector<AssembledBank>& banks);

// One line "MODULE COUNT" per bank, then "number count name" per category.
std::string write_stats(const std::vector<AssembledBank>& banks);

std::string cpp_string_literal(const std::string& text);

}  // namespace bankc
