#include "platform/colour_scheme.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qd {
namespace {

double channel_luminance(std::uint8_t value) {
    const double share = value / 255.0;
    return share <= 0.03928 ? share / 12.92 : std::pow((share + 0.055) / 1.055, 2.4);
}

double relative_luminance(Rgb colour) {
    return 0.2126 * channel_luminance(colour.red) + 0.7152 * channel_luminance(colour.green) +
           0.0722 * channel_luminance(colour.blue);
}

constexpr Rgb rgb(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>((value >> 8) & 0xFF),
            static_cast<std::uint8_t>(value & 0xFF)};
}

}  // namespace

double contrast_ratio(Rgb first, Rgb second) {
    const double a = relative_luminance(first);
    const double b = relative_luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool is_dark(Rgb background) { return relative_luminance(background) < 0.18; }

std::string css_colour(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

const ColourScheme& light_scheme() {
    static const ColourScheme scheme{"light",       rgb(0xefefef), rgb(0x000000), rgb(0xffffff), rgb(0x000000),
                                     rgb(0xf5f5f5), rgb(0xe4e4e4), rgb(0x000000), rgb(0x1f5fa8), rgb(0xffffff),
                                     rgb(0x0645ad), rgb(0x5a2d91), rgb(0xffffdc), rgb(0x000000), rgb(0x595959)};
    return scheme;
}

const ColourScheme& dark_scheme() {
    static const ColourScheme scheme{"dark",        rgb(0x2b2b2b), rgb(0xe8e8e8), rgb(0x1e1e1e), rgb(0xe8e8e8),
                                     rgb(0x262626), rgb(0x3a3a3a), rgb(0xf0f0f0), rgb(0x2f65a8), rgb(0xffffff),
                                     rgb(0x8ab4f8), rgb(0xc58af9), rgb(0x3a3a3a), rgb(0xf0f0f0), rgb(0xa6a6a6)};
    return scheme;
}

ColourChoice colour_choice_from_text(const std::string& stored) {
    if (stored == "light") return ColourChoice::light;
    if (stored == "dark") return ColourChoice::dark;
    return ColourChoice::system;
}

const char* colour_choice_text(ColourChoice choice) {
    switch (choice) {
        case ColourChoice::light: return "light";
        case ColourChoice::dark: return "dark";
        case ColourChoice::system: break;
    }
    return "system";
}

std::string page_colours_css(const ColourScheme& scheme) {
    const std::string base = css_colour(scheme.base);
    const std::string text = css_colour(scheme.text);
    return "html, body, table, td, th, p, center, font, b, i, u, span, div, label, li { background-color: " + base +
           " !important; color: " + text + " !important; }" +
           " input, textarea, select { background-color: " + css_colour(scheme.alternate_base) + " !important; color: " + text +
           " !important; }" + " a:link { color: " + css_colour(scheme.link) +
           " !important; } a:visited { color: " + css_colour(scheme.visited_link) + " !important; }" +
           " :root { color-scheme: " + scheme.name + "; }";
}

}  // namespace qd
