#pragma once
// The swap helper's work: once the update utility has ended, its new copy
// "<utility>.new" takes the utility's place in one rename, with the old
// file's permissions. Until that rename the old utility stays as it was, so a
// swap that fails leaves a working utility behind.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace qd {

// Returns why the swap was not made, or nothing when the new copy is in place.
std::optional<std::string> swap_in_new_utility(const std::filesystem::path& utility, std::chrono::milliseconds wait_limit);

}  // namespace qd
