#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "platform/qt/qt_services.h"

namespace qd {
namespace {

QScreen* primary() { return QGuiApplication::primaryScreen(); }

int twips_per_pixel(double dots_per_inch) {
    if (dots_per_inch <= 0) return 15;
    return std::max(1, static_cast<int>(std::lround(1440.0 / dots_per_inch)));
}

}  // namespace

int QtScreen::twips_per_pixel_x() const { return primary() ? twips_per_pixel(primary()->logicalDotsPerInchX()) : 15; }
int QtScreen::twips_per_pixel_y() const { return primary() ? twips_per_pixel(primary()->logicalDotsPerInchY()) : 15; }
int QtScreen::width_twips() const { return primary() ? primary()->geometry().width() * twips_per_pixel_x() : 0; }
int QtScreen::height_twips() const { return primary() ? primary()->geometry().height() * twips_per_pixel_y() : 0; }

}  // namespace qd
