#pragma once
// Packages for tests, written straight from a list of names and contents.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "temp_folder.h"
#include "updater/package/package_format.h"

namespace qd::testing {

using PackageFiles = std::vector<std::pair<std::string, std::string>>;  // name, contents

inline PackageRecord package_record(const PackageFiles& files) {
    PackageRecord record;
    record.text = "test package";
    for (const auto& [name, contents] : files) {
        record.names.items.push_back(name);
        record.contents.items.push_back(contents);
    }
    return record;
}

inline void write_package(const std::filesystem::path& file, const PackageRecord& record) {
    write_file(file, serialize_package(record));
}

}  // namespace qd::testing
