#include "platform/window_fit.h"

#include <algorithm>

namespace qd {

FittedWindow fit_window(WindowBox frame, int frame_width, int frame_height, int minimum_width, int minimum_height, WindowBox area) {
    FittedWindow fitted{frame, minimum_width, minimum_height};
    fitted.minimum_width = std::max(0, std::min(minimum_width, area.width - frame_width));
    fitted.minimum_height = std::max(0, std::min(minimum_height, area.height - frame_height));
    WindowBox& box = fitted.frame;
    box.width = std::min(frame.width, area.width);
    box.height = std::min(frame.height, area.height);
    box.left = std::clamp(frame.left, area.left, area.left + area.width - box.width);
    box.top = std::clamp(frame.top, area.top, area.top + area.height - box.height);
    return fitted;
}

}  // namespace qd
