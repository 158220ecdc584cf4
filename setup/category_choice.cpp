#include "setup/category_choice.h"

#include "platform/text_forms.h"

namespace qd {

std::vector<std::string> category_list(const BankState& bank) {
    std::vector<std::string> names;
    for (int c = 1; c <= bank.category_count && c < static_cast<int>(bank.category_names.size()); ++c)
        names.push_back(bank.category_names[static_cast<std::size_t>(c)]);
    return names;
}

void mark_chosen_categories(const std::vector<std::string>& ask_list, const BankState& bank,
                            std::array<std::int16_t, 151>& category_selected) {
    for (int c = 1; c <= 50; ++c) category_selected[static_cast<std::size_t>(c)] = flag_code::clear;
    for (const std::string& entry : ask_list) {
        const std::string wanted = to_lower_ascii(trim_blanks(entry));
        for (int c = 1; c <= bank.category_count && c < static_cast<int>(bank.category_names.size()); ++c)
            if (to_lower_ascii(trim_blanks(bank.category_names[static_cast<std::size_t>(c)])) == wanted)
                category_selected[static_cast<std::size_t>(c)] = flag_code::set;
    }
}

}  // namespace qd
