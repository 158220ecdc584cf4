#pragma once
// The category start's link from the names in the ask list back to the
// category numbers of the loaded bank.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bank/bank_state.h"

namespace qd {

inline constexpr const char* kNoCategoryMessage = "You must select at least one category";

// The bank's category names 1 to category_count, in slot order.
std::vector<std::string> category_list(const BankState& bank);

// Marks with -1 every category whose name equals an entry of the ask list,
// both without outer blanks and in any case. Entries 1 to 50 are cleared first.
void mark_chosen_categories(const std::vector<std::string>& ask_list, const BankState& bank,
                            std::array<std::int16_t, 151>& category_selected);

}  // namespace qd
