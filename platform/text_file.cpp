#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace qd {

std::optional<BoundedText> read_regular_file(const std::filesystem::path& file, std::size_t most_bytes) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return std::nullopt;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return std::nullopt;
    }
    BoundedText text;
    // One byte past the bound tells a file of exactly `most_bytes` from a longer one.
    const std::size_t wanted = most_bytes + 1;
    text.bytes.resize(std::min<std::size_t>(wanted, static_cast<std::size_t>(status.st_size) + 1));
    std::size_t filled = 0;
    bool failed = false;
    while (filled < wanted) {
        if (filled == text.bytes.size()) text.bytes.resize(std::min(wanted, text.bytes.size() * 2 + 4096));
        const ssize_t count = ::read(descriptor, text.bytes.data() + filled, text.bytes.size() - filled);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) failed = true;
        if (count <= 0) break;
        filled += static_cast<std::size_t>(count);
    }
    ::close(descriptor);
    if (failed) return std::nullopt;
    text.cut = filled > most_bytes;
    text.bytes.resize(std::min(filled, most_bytes));
    return text;
}

std::string read_text_file(const std::filesystem::path& file, std::size_t most_bytes) {
    auto text = read_regular_file(file, most_bytes);
    return text ? std::move(text->bytes) : std::string();
}

}  // namespace qd
