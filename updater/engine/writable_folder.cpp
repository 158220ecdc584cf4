#include "updater/engine/writable_folder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace qd {

std::optional<std::string> why_not_writable(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return std::string("it is not a folder");
    std::string probe = (folder / ".updates-write-check-XXXXXX").string();
    int descriptor = ::mkstemp(probe.data());
    if (descriptor < 0) return std::string(std::strerror(errno));
    ::close(descriptor);
    ::unlink(probe.c_str());
    return std::nullopt;
}

}  // namespace qd
