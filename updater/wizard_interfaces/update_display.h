#pragma once
// The wizard's download-status page as the download engine sees it: besides
// the bar and percentage of the unpacker, the current file, the transfer
// rate, the page's caption, and the transfer clock (Timer1), which counts the
// seconds of the current file's transfer in steps of a tenth.
#include <string>

#include "updater/wizard_interfaces/update_progress.h"

namespace qd {

class UpdateDisplay : public UpdateProgress {
public:
    virtual void set_current_file(const std::string& name) = 0;
    virtual void set_rate_text(const std::string& text) = 0;
    virtual void hide_rate() = 0;
    virtual void set_status_caption(const std::string& caption) = 0;

    virtual void start_transfer_clock() = 0;
    // Stops the clock and sets its seconds back to 0.
    virtual void stop_transfer_clock() = 0;
    virtual float elapsed_seconds() const = 0;
};

}  // namespace qd
