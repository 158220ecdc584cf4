#include "platform/clock.h"

#include <ctime>

namespace qd {

namespace {
std::string local_time_text(std::chrono::system_clock::time_point time, const char* format) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[128];
    // The formats are this file's own literals.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::size_t length = std::strftime(text, sizeof text, format, &local);
#pragma GCC diagnostic pop
    return std::string(text, length);
}
}  // namespace

std::string Clock::weekday_name() const { return local_time_text(now(), "%A"); }

std::string Clock::general_date_time() const {
    // The locale decides how many digits of the year its short date shows.
    return local_time_text(now(), "%x %X");
}

}  // namespace qd
