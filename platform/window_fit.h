#pragma once
// Where a window goes so that all of it is on the screen's free area (the
// screen without its panels), whatever the screen's size and scale factor.
namespace qd {

struct WindowBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct FittedWindow {
    WindowBox frame;    // the window with its frame
    int minimum_width;  // the smallest the student may make it, frame excluded
    int minimum_height;
};

// `frame` is the window as it would open, `frame_width` and `frame_height`
// what its frame adds to the inside, `minimum_*` its smallest inside size.
// A window larger than the area shrinks to it (its smallest size too); one
// that sticks out moves in; a window that fits stays where it is.
FittedWindow fit_window(WindowBox frame, int frame_width, int frame_height, int minimum_width, int minimum_height, WindowBox area);

}  // namespace qd
