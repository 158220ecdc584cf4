#pragma once
// Everything below a folder, for comparing a tree before and after.
#include <filesystem>
#include <map>
#include <string>

#include "temp_folder.h"

namespace qd::testing {

// Relative path -> file bytes, "<folder>" or "<link to ...>".
inline std::map<std::string, std::string> snapshot(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        std::string relative = it->path().lexically_relative(root).string();
        if (it->is_symlink()) {
            entries[relative] = "<link to " + fs::read_symlink(it->path()).string() + ">";
            it.disable_recursion_pending();
        } else if (it->is_directory()) {
            entries[relative] = "<folder>";
        } else {
            entries[relative] = read_file(it->path());
        }
    }
    return entries;
}

}  // namespace qd::testing
