#include "results/file_in_progress.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/partial_files.h"

namespace qd {

FileInProgress::FileInProgress(std::filesystem::path target) : target_(std::move(target)) {
    // A replaced file keeps its permissions; a new one gets the usual ones.
    struct stat old_status {};
    const bool replacing = ::stat(target_.c_str(), &old_status) == 0;
    const mode_t mode = replacing ? (old_status.st_mode & 07777) : 0666;
    remove_stale_partial_files_of(target_);
    for (unsigned attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
        temporary_ = partial_file_of(target_, attempt);
        descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (descriptor_ < 0 && errno != EEXIST) break;
    }
    if (descriptor_ < 0) error_number_ = errno ? errno : EEXIST;
    else if (replacing && ::fchmod(descriptor_, mode) != 0) error_number_ = errno;
}

FileInProgress::~FileInProgress() {
    if (descriptor_ < 0) return;
    ::close(descriptor_);
    ::unlink(temporary_.c_str());
}

bool FileInProgress::write(std::string_view bytes) {
    while (!error_number_ && !bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) error_number_ = written < 0 ? errno : EIO;
        else bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return !error_number_;
}

std::optional<std::string> FileInProgress::commit() {
    if (!error_number_ && ::fsync(descriptor_) != 0) error_number_ = errno;
    if (::close(descriptor_) != 0 && !error_number_) error_number_ = errno;
    descriptor_ = -1;
    if (!error_number_ && ::rename(temporary_.c_str(), target_.c_str()) != 0) error_number_ = errno;
    if (error_number_) {
        ::unlink(temporary_.c_str());
        return "cannot write " + target_.string() + ": " + std::strerror(error_number_);
    }
    // Make the rename itself durable; a failure here does not undo the write.
    const int folder = ::open(target_.has_parent_path() ? target_.parent_path().c_str() : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return std::nullopt;
}

}  // namespace qd
