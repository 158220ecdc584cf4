#include "updater/swap/swap_in_new_utility.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "updater/swap/utility_lock.h"

namespace qd {

namespace {

std::string system_error(const std::string& what) { return what + ": " + std::strerror(errno); }

// The new copy's data is on disk before its name replaces the old one.
std::optional<std::string> settle_new_copy(const std::string& new_copy, mode_t mode) {
    const int descriptor = ::open(new_copy.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return system_error("cannot open " + new_copy);
    std::optional<std::string> why;
    if (::fchmod(descriptor, mode) != 0) why = system_error("cannot set the permissions of " + new_copy);
    else if (::fsync(descriptor) != 0) why = system_error("cannot write " + new_copy + " to disk");
    ::close(descriptor);
    return why;
}

}  // namespace

std::optional<std::string> swap_in_new_utility(const std::filesystem::path& utility, std::chrono::milliseconds wait_limit) {
    const std::string old_copy = utility.string();
    const std::string new_copy = old_copy + ".new";
    struct stat new_status {};
    if (::lstat(new_copy.c_str(), &new_status) != 0) return system_error("no new copy " + new_copy);
    if (!S_ISREG(new_status.st_mode)) return new_copy + " is not a regular file";
    struct stat old_status {};
    if (::stat(old_copy.c_str(), &old_status) != 0) return system_error("cannot find " + old_copy);

    if (auto why = wait_until_utility_ended(utility, wait_limit)) return why;
    if (auto why = settle_new_copy(new_copy, old_status.st_mode & 07777)) return why;
    if (std::rename(new_copy.c_str(), old_copy.c_str()) != 0)
        return system_error("cannot put " + new_copy + " in place of " + old_copy);
    // The rename itself is on disk once the folder is.
    const int folder = ::open(utility.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return std::nullopt;
}

}  // namespace qd
