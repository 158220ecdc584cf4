#pragma once
// The screen in twips (1440 per inch) and its twips per pixel.
namespace qd {

class Screen {
public:
    virtual ~Screen() = default;
    virtual int width_twips() const = 0;
    virtual int height_twips() const = 0;
    virtual int twips_per_pixel_x() const = 0;
    virtual int twips_per_pixel_y() const = 0;
};

}  // namespace qd
