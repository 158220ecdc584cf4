#pragma once
// The result file "out.ini" the console leaves for the quiz: section
// "general", one key=value line per configuration item, keys and values in
// the forms of content/banks/simulator_keys.txt.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gridlab/device_config.h"
#include "platform/file_for_writing.h"

namespace qd::gridlab {

using ResultEntries = std::vector<std::pair<std::string, std::string>>;

ResultEntries result_entries(const DeviceConfig& config);

// "[general]" and the entries, CR LF line ends.
std::string result_file_text(const DeviceConfig& config);

// Writes "out.ini" in `folder` whole or not at all; returns why it failed.
// A link in its place is replaced, and `notice` hears of it.
std::optional<std::string> write_result_file(const std::filesystem::path& folder, const DeviceConfig& config,
                                             const FileNotice& notice = {});

}  // namespace qd::gridlab
