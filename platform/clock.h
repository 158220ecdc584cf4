#pragma once
// The local clock as the programs show it. Every time the programs use comes
// from one Clock, so that tests can set it.
#include <chrono>
#include <string>

namespace qd {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0;
    // The locale's general date form of now(): short date, one blank, long time.
    virtual std::string general_date_time() const;
    // The full name of now()'s weekday in the locale's language.
    virtual std::string weekday_name() const;
};

// The system clock in the user's locale (LC_TIME).
class SystemClock final : public Clock {
public:
    std::chrono::system_clock::time_point now() const override { return std::chrono::system_clock::now(); }
};

}  // namespace qd
