#include "runner/review_button.h"

namespace qd {

bool review_button_visible(std::string_view ref_tag, std::int16_t practice_mode) {
    return ref_tag.find("##") != std::string_view::npos && practice_mode != 0;
}

}  // namespace qd
