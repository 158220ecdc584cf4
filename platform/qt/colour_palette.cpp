#include "platform/qt/colour_palette.h"

#include <QApplication>
#include <QColor>

namespace qd {
namespace {

QColor qt_colour(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

}  // namespace

QPalette palette_of(const ColourScheme& scheme) {
    QPalette palette;
    const auto both = [&](QPalette::ColorRole role, Rgb colour) {
        palette.setColor(QPalette::Active, role, qt_colour(colour));
        palette.setColor(QPalette::Inactive, role, qt_colour(colour));
        palette.setColor(QPalette::Disabled, role, qt_colour(colour));
    };
    both(QPalette::Window, scheme.window);
    both(QPalette::WindowText, scheme.window_text);
    both(QPalette::Base, scheme.base);
    both(QPalette::Text, scheme.text);
    both(QPalette::AlternateBase, scheme.alternate_base);
    both(QPalette::Button, scheme.button);
    both(QPalette::ButtonText, scheme.button_text);
    both(QPalette::Highlight, scheme.highlight);
    both(QPalette::HighlightedText, scheme.highlighted_text);
    both(QPalette::Link, scheme.link);
    both(QPalette::LinkVisited, scheme.visited_link);
    both(QPalette::ToolTipBase, scheme.tool_tip);
    both(QPalette::ToolTipText, scheme.tool_tip_text);
    both(QPalette::PlaceholderText, scheme.placeholder_text);
    both(QPalette::BrightText, scheme.highlighted_text);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, qt_colour(scheme.placeholder_text));
    return palette;
}

void apply_colour_choice(ColourChoice choice) {
    static const QPalette desktop = QApplication::palette();  // taken before the first change
    switch (choice) {
        case ColourChoice::system: QApplication::setPalette(desktop); break;
        case ColourChoice::light: QApplication::setPalette(palette_of(light_scheme())); break;
        case ColourChoice::dark: QApplication::setPalette(palette_of(dark_scheme())); break;
    }
}

}  // namespace qd
