#pragma once
// A lab may start from a configuration of its own instead of the factory one,
// so that every part of its task needs a command: the quiz leaves the lab's
// global configuration commands in "sim_start.txt" (one line of HTML, the
// commands separated by <br>), and the console applies them before the
// student types anything.
#include <filesystem>
#include <string>
#include <vector>

#include "gridlab/device_config.h"

namespace qd::gridlab {

inline constexpr const char* kStartFileName = "sim_start.txt";

// The commands of "sim_start.txt" in `folder`; none when it is missing, is not
// a regular file or is unreasonably large.
std::vector<std::string> read_start_commands(const std::filesystem::path& folder);

// The factory configuration with the commands typed in global configuration mode.
DeviceConfig start_configuration(DeviceModel model, const std::vector<std::string>& commands);

// What a console started in `folder` begins with.
DeviceConfig start_configuration(DeviceModel model, const std::filesystem::path& folder);

}  // namespace qd::gridlab
