#pragma once
// Turns computed percentages into Progress events: each is rounded to the
// nearest whole number (halves to even) and raised only when it differs from
// the last one raised. The last raised value starts at 0, so 0 is never raised.
#include <functional>

#include "platform/text_forms.h"

namespace qd::he3 {

using ProgressHandler = std::function<void(int)>;

class ProgressMeter {
public:
    explicit ProgressMeter(const ProgressHandler& handler) : handler_(handler) {}

    void report(double percent) {
        int whole = static_cast<int>(round_half_even(percent));
        if (whole != last_) raise(whole);
    }
    // The closing 100 of a completed call.
    void finish() {
        if (last_ != 100) raise(100);
    }

private:
    void raise(int whole) {
        last_ = whole;
        if (handler_) handler_(whole);
    }

    const ProgressHandler& handler_;
    int last_ = 0;
};

}  // namespace qd::he3
