#pragma once
// The partial files a save writes beside its file before renaming it into
// place ("<name>.part<pid>-<n>"), and their removal once the process that
// wrote one has ended without finishing (a crash or a kill during a save).
#include <filesystem>

namespace qd {

// The partial file of `file` for this process's `attempt`th try, within the
// file-name limit: a long name is cut short, never the part that tells whose it is.
std::filesystem::path partial_file_of(const std::filesystem::path& file, unsigned attempt);

// Removes the partial files of `file` whose process is no longer running.
void remove_stale_partial_files_of(const std::filesystem::path& file);

// Removes every partial file in `folder` (not below it) whose process is no
// longer running.
void remove_stale_partial_files_in(const std::filesystem::path& folder);

}  // namespace qd
