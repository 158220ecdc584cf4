#include "platform/file_lock.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/file_beside.h"
#include "platform/file_for_writing.h"

namespace qd {

std::optional<FileLock> FileLock::take(const std::filesystem::path& file, std::chrono::milliseconds patience) {
    const int descriptor = open_for_writing(lock_file_of(file), WriteMode::append, 0600);
    if (descriptor < 0) return std::nullopt;
    const auto give_up_at = std::chrono::steady_clock::now() + patience;
    auto pause = std::chrono::milliseconds(2);
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= give_up_at) {
            ::close(descriptor);
            return std::nullopt;
        }
        // The other copy's save takes milliseconds; look again soon, then less often.
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    return FileLock(descriptor);
}

FileLock::FileLock(FileLock&& other) noexcept : descriptor_(other.descriptor_) { other.descriptor_ = -1; }

FileLock::~FileLock() {
    if (descriptor_ >= 0) ::close(descriptor_);  // closing drops the lock
}

std::filesystem::path lock_file_of(const std::filesystem::path& file) { return beside(file, ".lock"); }

std::string busy_reason(const std::filesystem::path& file) {
    return file.string() + " is busy: another copy of the program is saving it; nothing was changed";
}

}  // namespace qd
