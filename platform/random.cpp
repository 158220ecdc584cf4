#include "platform/random.h"

#include <chrono>

namespace qd {

SystemRandom::SystemRandom() { reseed_from_clock(); }

double SystemRandom::next_unit() { return std::generate_canonical<double, 53>(engine_); }

void SystemRandom::reseed_from_clock() {
    engine_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                 static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

}  // namespace qd
