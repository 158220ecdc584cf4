#pragma once
// Whether the quiz window offers "Review Chapter " for the question on screen.
#include <cstdint>
#include <string_view>

namespace qd {

// Only a reference tag that names a book page (it holds "##", exact case)
// offers the button, and only in practice mode (a true setting, -1).
bool review_button_visible(std::string_view ref_tag, std::int16_t practice_mode);

}  // namespace qd
