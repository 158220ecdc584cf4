#include "platform/partial_files.h"

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <optional>
#include <string>

#include "platform/file_beside.h"

namespace qd {

namespace fs = std::filesystem;

namespace {

std::string partial_suffix(long pid, unsigned attempt) { return ".part" + std::to_string(pid) + "-" + std::to_string(attempt); }

bool all_digits(std::string_view text) {
    return !text.empty() && text.size() <= 18 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

struct PartialName {
    long pid;
    unsigned long attempt;
    std::string suffix;
};

// The writer's process and attempt of a partial file's name; nothing for any other name.
std::optional<PartialName> parse_partial(const std::string& name) {
    const std::size_t part = name.rfind(".part");
    if (part == std::string::npos || part == 0) return std::nullopt;
    const std::string_view rest = std::string_view(name).substr(part + 5);
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || !all_digits(rest.substr(0, dash)) || !all_digits(rest.substr(dash + 1)))
        return std::nullopt;
    return PartialName{std::stol(std::string(rest.substr(0, dash))), std::stoul(std::string(rest.substr(dash + 1))),
                       name.substr(part)};
}

bool process_running(long pid) {
    if (pid <= 0) return true;  // not a name this program writes: leave it
    if (pid == static_cast<long>(::getpid())) return true;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Removes `entry` when it is a plain file of a partial name whose writer has
// ended and, with `of`, when it is a partial file of that file.
void remove_if_stale(const fs::directory_entry& entry, const fs::path* of) {
    const std::string name = entry.path().filename().string();
    const auto partial = parse_partial(name);
    if (!partial) return;
    if (of && beside(*of, partial->suffix).filename() != name) return;
    std::error_code error;
    if (!entry.is_regular_file(error) || entry.is_symlink(error) || process_running(partial->pid)) return;
    fs::remove(entry.path(), error);
}

void remove_stale(const fs::path& folder, const fs::path* of) {
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end; !error && it != end; it.increment(error))
        remove_if_stale(*it, of);
}

}  // namespace

fs::path partial_file_of(const fs::path& file, unsigned attempt) {
    return beside(file, partial_suffix(static_cast<long>(::getpid()), attempt));
}

void remove_stale_partial_files_of(const fs::path& file) { remove_stale(file.parent_path(), &file); }

void remove_stale_partial_files_in(const fs::path& folder) { remove_stale(folder, nullptr); }

}  // namespace qd
