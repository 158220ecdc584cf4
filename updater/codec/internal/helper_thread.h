#pragma once
// The second core that the coders use for the second half of a large input.
#include <sched.h>

#include <system_error>
#include <thread>
#include <utility>

#include "second_core.h"

namespace qd::he3 {

// The cores this process may run on, which a desktop can restrict below the
// machine's own count.
inline bool second_core_available() {
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0) return CPU_COUNT(&allowed) > 1;
    return std::thread::hardware_concurrency() > 1;
}

inline bool take_second_core(SecondCore choice) {
    return choice == SecondCore::always || (choice == SecondCore::automatic && second_core_available());
}

// A thread running work, or none (not joinable) when the system refuses one;
// the caller then does the work itself.
template <typename Work>
std::jthread start_helper(Work&& work) {
    try {
        return std::jthread(std::forward<Work>(work));
    } catch (const std::system_error&) {
        return {};
    }
}

}  // namespace qd::he3
