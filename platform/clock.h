#pragma once
// The local clock as the programs show it.
#include <string>

namespace qd {

class Clock {
public:
    virtual ~Clock() = default;
    // The locale's general date form: short date, one blank, long time.
    virtual std::string general_date_time() const = 0;
    // The full name of today's weekday in the locale's language.
    virtual std::string weekday_name() const;
};

// The system clock in the user's locale (LC_TIME).
class SystemClock final : public Clock {
public:
    std::string general_date_time() const override;
};

}  // namespace qd
