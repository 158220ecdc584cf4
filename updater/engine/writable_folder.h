#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace qd {

// Why no file can be created in `folder`, or nothing when one can. A probe
// file is created and removed again, which also catches read-only mounts and
// access rules that the permission bits do not show.
std::optional<std::string> why_not_writable(const std::filesystem::path& folder);

}  // namespace qd
