#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/partial_files.h"

namespace qd {

namespace {

bool looks_like_program(std::string_view bytes) {
    return bytes.starts_with(
               "\x7f"
               "ELF") ||
           bytes.starts_with("#!");
}

std::string reason(const std::string& what, int error_number) { return what + ": " + std::strerror(error_number); }

bool write_all(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::optional<std::string> replace_file(const std::filesystem::path& given, std::string_view bytes, std::optional<mode_t> mode,
                                        bool follow_link) {
    std::filesystem::path file = given;
    if (follow_link) {
        std::error_code error;
        if (std::filesystem::symlink_status(given, error).type() == std::filesystem::file_type::symlink) {
            file = std::filesystem::canonical(given, error);
            if (error) return "cannot follow the link " + given.string() + ": " + error.message();
        }
    }
    struct stat old_status {};
    if (!mode && ::lstat(file.c_str(), &old_status) == 0 && S_ISREG(old_status.st_mode)) mode = old_status.st_mode & 07777;
    // Without a given mode the process's file-creation mask decides.
    mode_t create_mode = looks_like_program(bytes) ? 0777 : 0666;

    remove_stale_partial_files_of(file);
    static unsigned counter = 0;
    std::filesystem::path temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = partial_file_of(file, ++counter);
        descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, create_mode);
        if (descriptor < 0 && errno != EEXIST) return reason("cannot create " + file.string(), errno);
    }
    if (descriptor < 0) return "cannot create " + file.string() + ": no free temporary name";

    int error_number = 0;
    if (!write_all(descriptor, bytes)) error_number = errno ? errno : EIO;
    if (!error_number && mode && ::fchmod(descriptor, *mode) != 0) error_number = errno;
    if (!error_number && ::fsync(descriptor) != 0) error_number = errno;
    if (::close(descriptor) != 0 && !error_number) error_number = errno;
    if (!error_number && ::rename(temporary.c_str(), file.c_str()) != 0) error_number = errno;
    if (error_number) {
        ::unlink(temporary.c_str());
        return reason("cannot write " + file.string(), error_number);
    }
    // Make the rename itself durable; a failure here does not undo the write.
    int folder = ::open(file.has_parent_path() ? file.parent_path().c_str() : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return std::nullopt;
}

}  // namespace qd
