#pragma once
// While the update utility runs it holds a shared lock on its own executable;
// the swap helper takes the exclusive lock, which it gets only once every
// running utility has ended. The system drops the lock with the process, so
// no crash can leave it behind.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace qd {

class UtilityLock {
public:
    // Takes the shared lock on `utility`; without the file there is no lock.
    explicit UtilityLock(const std::filesystem::path& utility);
    ~UtilityLock();
    UtilityLock(const UtilityLock&) = delete;
    UtilityLock& operator=(const UtilityLock&) = delete;

    bool held() const { return descriptor_ >= 0; }

private:
    int descriptor_ = -1;
};

// Waits until no process holds a lock on `utility`, for at most `limit`.
// Returns why it could not, or nothing once no utility runs.
std::optional<std::string> wait_until_utility_ended(const std::filesystem::path& utility, std::chrono::milliseconds limit);

}  // namespace qd
