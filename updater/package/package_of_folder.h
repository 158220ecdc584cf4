#pragma once
// Builds the package of a product folder, as the maker's tools publish it.
#include <filesystem>
#include <stdexcept>

#include "updater/package/package_record.h"

namespace qd {

class PackageBuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every regular file below `folder`, in name order, named relative to it
// with "\" between folder parts; both lists start at index 1. Throws
// PackageBuildError for anything the unpacker would refuse or could not
// restore: links, special files, names with "\" or ":", unreadable files.
PackageRecord package_of_folder(const std::filesystem::path& folder);

}  // namespace qd
