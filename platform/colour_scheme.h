#pragma once
// The program's two colour schemes, the student's choice between them, and
// the style that gives a page the dark scheme's colours. Plain C++: the Qt
// palette and the pages are both made from these colours.
#include <cstdint>
#include <string>

namespace qd {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// The contrast of two colours as the accessibility guidelines define it,
// from 1 (the same) to 21 (black on white).
double contrast_ratio(Rgb first, Rgb second);
bool is_dark(Rgb background);
std::string css_colour(Rgb colour);  // "#rrggbb"

struct ColourScheme {
    const char* name;  // "light" or "dark"
    Rgb window, window_text;
    Rgb base, text;  // lists, text boxes and pages
    Rgb alternate_base;
    Rgb button, button_text;
    Rgb highlight, highlighted_text;
    Rgb link, visited_link;
    Rgb tool_tip, tool_tip_text;
    Rgb placeholder_text;
};

const ColourScheme& light_scheme();
const ColourScheme& dark_scheme();

// What the student picked in the main menu: follow the desktop, or one scheme.
enum class ColourChoice { system, light, dark };
ColourChoice colour_choice_from_text(const std::string& stored);  // anything unknown is system
const char* colour_choice_text(ColourChoice choice);

// Style rules that draw a page (whatever colours its own text asks for) in
// the scheme's colours; the page's text is not touched.
std::string page_colours_css(const ColourScheme& scheme);

}  // namespace qd
