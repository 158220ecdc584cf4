#include "platform/clock.h"

#include <ctime>

namespace qd {

std::string SystemClock::general_date_time() const {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    // The locale decides how many digits of the year its short date shows.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-y2k"
    std::size_t length = std::strftime(text, sizeof text, "%x %X", &local);
#pragma GCC diagnostic pop
    return std::string(text, length);
}

}  // namespace qd
