#pragma once
// Writes a file whole or not at all: the bytes go to a new file beside it,
// which is then renamed over the old one, so a crash or a full disk never
// leaves a half-written file in place of a good one.
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qd {

// `mode` gives the new file's permissions; without one, an existing file
// keeps its permissions and a new one gets the usual ones for its kind
// (programs, recognised by their first bytes, can be run). With
// `follow_link`, a symbolic link is kept and the file it names is replaced;
// otherwise the link itself is replaced. Returns why it failed, or nothing on
// success; the old file is then unchanged.
std::optional<std::string> replace_file(const std::filesystem::path& file, std::string_view bytes,
                                        std::optional<mode_t> mode = std::nullopt, bool follow_link = false);

}  // namespace qd
