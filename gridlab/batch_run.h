#pragma once
// Batch mode: the console without a window. Reads commands from a stream,
// one per line, prints what the console shows (prompt, command, answer) and
// writes "out.ini" in the given folder when the input ends or the session is
// left.
#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "gridlab/device_config.h"

namespace qd::gridlab {

// Returns the process exit code: 0, or 1 when out.ini could not be written.
int run_batch(DeviceModel model, std::istream& in, std::ostream& out, std::ostream& errors, const std::filesystem::path& folder);

// Reads one line of at most `limit` bytes; the rest of a longer line is
// skipped. False at the end of the input.
bool read_bounded_line(std::istream& in, std::string& line, std::size_t limit);

struct ProgramOptions {
    bool batch = false;
    DeviceModel model = DeviceModel::router;
};

// "--batch" chooses batch mode and "2950" the switch; other words (such as the
// empty word a launcher's trailing blank leaves) are ignored.
ProgramOptions parse_program_options(const std::vector<std::string>& arguments);

}  // namespace qd::gridlab
