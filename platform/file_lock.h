#pragma once
// One writer at a time: an advisory lock on a lock file beside a file, held
// for one read-modify-write of it, so that two copies of a program saving the
// same file one after the other both keep what they add. The lock file stays
// (removing it would let a third copy lock a different file of the same
// name); the lock ends with the process at the latest.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace qd {

// How long a writer waits for another copy to finish before it gives up.
inline constexpr std::chrono::milliseconds kLockPatience{5000};

class FileLock {
public:
    // The lock of `file`, once no other process holds it; nothing when another
    // holds it for longer than `patience` or the lock file cannot be made.
    static std::optional<FileLock> take(const std::filesystem::path& file, std::chrono::milliseconds patience = kLockPatience);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&&) = delete;
    FileLock(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(int descriptor) : descriptor_(descriptor) {}
    int descriptor_;
};

// The lock file of `file`: its name and ".lock".
std::filesystem::path lock_file_of(const std::filesystem::path& file);

// Why a save did not happen when the lock could not be had.
std::string busy_reason(const std::filesystem::path& file);

}  // namespace qd
