#include "platform/file_for_writing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qd {

namespace {

int open_flags(WriteMode mode) {
    // O_NONBLOCK: a FIFO without a reader fails at once instead of holding the program.
    int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    if (mode == WriteMode::append) flags |= O_APPEND;
    if (mode == WriteMode::create_new) flags |= O_EXCL;
    return flags;
}

}  // namespace

int open_for_writing(const std::filesystem::path& file, WriteMode mode, mode_t create_mode, AtALink at_a_link) {
    int descriptor = ::open(file.c_str(), open_flags(mode), create_mode);
    if (descriptor < 0 && (errno == ELOOP || (errno == EEXIST && mode == WriteMode::create_new))) {
        // A link in the file's place goes; the plain file made instead must be new.
        struct stat status {};
        if (::lstat(file.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            errno = mode == WriteMode::create_new ? EEXIST : ELOOP;
            return -1;
        }
        if (at_a_link == AtALink::refuse) {
            errno = ELOOP;
            return -1;
        }
        if (::unlink(file.c_str()) != 0) return -1;
        descriptor = ::open(file.c_str(), open_flags(mode) | O_EXCL, create_mode);
    }
    if (descriptor < 0) return -1;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        errno = EINVAL;
        return -1;
    }
    if (mode == WriteMode::replace_contents && ::ftruncate(descriptor, 0) != 0) {
        const int saved = errno;
        ::close(descriptor);
        errno = saved;
        return -1;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return descriptor;
}

std::FILE* open_stream_for_writing(const std::filesystem::path& file, WriteMode mode) {
    const int descriptor = open_for_writing(file, mode);
    if (descriptor < 0) return nullptr;
    std::FILE* stream = ::fdopen(descriptor, mode == WriteMode::append ? "ab" : "wb");
    if (!stream) ::close(descriptor);
    return stream;
}

std::optional<std::string> write_file(const std::filesystem::path& file, std::string_view bytes, WriteMode mode, AtALink at_a_link) {
    const int descriptor = open_for_writing(file, mode, 0666, at_a_link);
    if (descriptor < 0) return "cannot write " + file.string() + ": " + std::strerror(errno);
    int error_number = 0;
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            error_number = written < 0 ? errno : EIO;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::close(descriptor) != 0 && !error_number) error_number = errno;
    if (error_number) return "cannot write " + file.string() + ": " + std::strerror(error_number);
    return std::nullopt;
}

std::optional<std::string> planted_link_notice(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::symlink_status(file, error).type() != std::filesystem::file_type::symlink) return std::nullopt;
    const std::filesystem::path target = std::filesystem::read_symlink(file, error);
    return file.string() + " is a symbolic link to " + (error ? std::string("an unknown place") : target.string()) +
           "; the program never writes through it";
}

void tell_of_planted_link(const FileNotice& notice, const std::filesystem::path& file) {
    if (!notice) return;
    if (auto text = planted_link_notice(file)) notice(*text);
}

}  // namespace qd
