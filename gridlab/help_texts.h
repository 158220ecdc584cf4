#pragma once
// The one-line descriptions that "?" help shows beside each word.
#include <string_view>

namespace qd::gridlab {

// The description of a keyword or placeholder, or "" when it has none.
std::string_view help_text_of(std::string_view word);

}  // namespace qd::gridlab
