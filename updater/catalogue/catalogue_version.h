#pragma once
// Catalogue versions are single-precision decimal numbers.
#include <optional>
#include <string>
#include <string_view>

namespace qd {

// The decimal-number conversion: blanks around an optional sign, digits with
// at most one decimal point, and an optional exponent ("1.5", " 2 ", "1e1").
// Anything else, or a value beyond the float range, gives no value.
std::optional<float> parse_catalogue_version(std::string_view text);

// The shortest decimal text that reads back as the same float: 1.5, 2, 1.1.
std::string catalogue_version_text(float version);

}  // namespace qd
