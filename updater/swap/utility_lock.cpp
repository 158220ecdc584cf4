#include "updater/swap/utility_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace qd {

UtilityLock::UtilityLock(const std::filesystem::path& utility) {
    descriptor_ = ::open(utility.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor_ >= 0 && ::flock(descriptor_, LOCK_SH) != 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

UtilityLock::~UtilityLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

std::optional<std::string> wait_until_utility_ended(const std::filesystem::path& utility, std::chrono::milliseconds limit) {
    const int descriptor = ::open(utility.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return "cannot open " + utility.string() + ": " + std::strerror(errno);
    const auto give_up = std::chrono::steady_clock::now() + limit;
    std::optional<std::string> why;
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            why = "cannot wait for " + utility.string() + " to end: " + std::strerror(errno);
            break;
        }
        if (std::chrono::steady_clock::now() >= give_up) {
            why = utility.filename().string() + " was still running after " +
                  std::to_string(std::chrono::duration_cast<std::chrono::seconds>(limit).count()) + " seconds";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::close(descriptor);
    return why;
}

}  // namespace qd
