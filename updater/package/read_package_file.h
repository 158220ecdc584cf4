#pragma once
#include <filesystem>

#include "updater/package/package_record.h"

namespace qd {

// Reads the whole package record; throws PackageFormatError when the file
// cannot be read or its record is damaged.
PackageRecord ReadPackageFile(const std::filesystem::path& package_file);

}  // namespace qd
