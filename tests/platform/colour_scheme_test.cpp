#include <gtest/gtest.h>

#include "platform/colour_scheme.h"

namespace qd {
namespace {

TEST(ColourScheme, contrastRatio_followsTheGuidelinesFormula) {
    EXPECT_NEAR(contrast_ratio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(contrast_ratio({255, 255, 255}, {0, 0, 0}), 21.0, 1e-9);
    EXPECT_NEAR(contrast_ratio({118, 118, 118}, {255, 255, 255}), 4.54, 0.01);  // the lightest grey that passes on white
    EXPECT_NEAR(contrast_ratio({40, 90, 200}, {40, 90, 200}), 1.0, 1e-9);
}

// Every text colour of both schemes against the background it is drawn on.
TEST(ColourScheme, everyTextKeepsAContrastOfAtLeastFourAndAHalf) {
    struct Pair {
        const char* what;
        Rgb ColourScheme::*text;
        Rgb ColourScheme::*background;
    };
    const Pair pairs[] = {
        {"window text", &ColourScheme::window_text, &ColourScheme::window},
        {"text", &ColourScheme::text, &ColourScheme::base},
        {"text on alternate rows", &ColourScheme::text, &ColourScheme::alternate_base},
        {"button text", &ColourScheme::button_text, &ColourScheme::button},
        {"selected text", &ColourScheme::highlighted_text, &ColourScheme::highlight},
        {"link", &ColourScheme::link, &ColourScheme::base},
        {"visited link", &ColourScheme::visited_link, &ColourScheme::base},
        {"tool tip", &ColourScheme::tool_tip_text, &ColourScheme::tool_tip},
        {"placeholder text", &ColourScheme::placeholder_text, &ColourScheme::base},
        {"placeholder text on a window", &ColourScheme::placeholder_text, &ColourScheme::window},
    };
    for (const ColourScheme* scheme : {&light_scheme(), &dark_scheme()}) {
        for (const Pair& pair : pairs) {
            SCOPED_TRACE(std::string(scheme->name) + ": " + pair.what);
            EXPECT_GE(contrast_ratio(scheme->*pair.text, scheme->*pair.background), 4.5);
        }
    }
    EXPECT_TRUE(is_dark(dark_scheme().window));
    EXPECT_TRUE(is_dark(dark_scheme().base));
    EXPECT_FALSE(is_dark(light_scheme().window));
}

TEST(ColourScheme, pageStyleUsesTheSchemesColours) {
    const std::string css = page_colours_css(dark_scheme());
    EXPECT_NE(css.find("background-color: " + css_colour(dark_scheme().base) + " !important"), std::string::npos);
    EXPECT_NE(css.find("color: " + css_colour(dark_scheme().text) + " !important"), std::string::npos);
    EXPECT_NE(css.find(css_colour(dark_scheme().link)), std::string::npos);
    EXPECT_EQ(css_colour({0x1e, 0x0a, 0xff}), "#1e0aff");
}

TEST(ColourScheme, storedChoice_unknownTextFollowsTheDesktop) {
    for (ColourChoice choice : {ColourChoice::system, ColourChoice::light, ColourChoice::dark})
        EXPECT_EQ(colour_choice_from_text(colour_choice_text(choice)), choice);
    EXPECT_EQ(colour_choice_from_text(""), ColourChoice::system);
    EXPECT_EQ(colour_choice_from_text("Dark"), ColourChoice::system);
}

}  // namespace
}  // namespace qd
