#include "platform/clock.h"

#include <ctime>

namespace qd {

namespace {
std::string local_time_text(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    // The formats are this file's own literals.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::size_t length = std::strftime(text, sizeof text, format, &local);
#pragma GCC diagnostic pop
    return std::string(text, length);
}
}  // namespace

std::string Clock::weekday_name() const { return local_time_text("%A"); }

std::string SystemClock::general_date_time() const {
    // The locale decides how many digits of the year its short date shows.
    return local_time_text("%x %X");
}

}  // namespace qd
