#pragma once
// The top-level windows on the desktop, the program's own and other programs'.
#include <cstdint>
#include <string>
#include <vector>

namespace qd {

struct TopWindow {
    std::uint64_t id = 0;
    std::string title;
};

class TopWindows {
public:
    virtual ~TopWindows() = default;
    virtual std::vector<TopWindow> list() = 0;
    // Shows the window in its normal state (neither minimised nor hidden).
    virtual void show_normal(std::uint64_t id) = 0;
    // Asks the window to close, as its close button would.
    virtual void request_close(std::uint64_t id) = 0;
};

}  // namespace qd
