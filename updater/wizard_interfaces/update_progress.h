#pragma once
// The wizard's download-status page as the unpacker sees it: the progress bar,
// the percentage label beside it, and a chance for the window to handle
// pending events (repaints, a close request) between two files.
#include <string>

namespace qd {

class UpdateProgress {
public:
    virtual ~UpdateProgress() = default;
    virtual void set_bar(int value) = 0;                          // 0 to 100
    virtual void set_percent_label(const std::string& text) = 0;  // "0", "42%"
    virtual void process_pending_events() = 0;
};

}  // namespace qd
