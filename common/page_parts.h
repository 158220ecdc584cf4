#pragma once
// Pieces that the question page and the explanation page write alike.
#include <string>

namespace qd {

// The first "<img src" of the text gets the data folder put right after the
// first double quote that follows it; later pictures and texts without a
// quote stay as they are.
std::string with_picture_folder(const std::string& text, const std::string& data_folder);

// The style block of a page for the given size and family.
std::string page_style(int font_size, const std::string& font_name);

}  // namespace qd
