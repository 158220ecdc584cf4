#pragma once
// The number of a process that has ended, for tests of what such a process left behind.
#include <sys/wait.h>
#include <unistd.h>

namespace qd::testing {

inline long ended_process() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

}  // namespace qd::testing
