#pragma once
// Runs lines through a console session and reads what it leaves, for tests.
#include <map>
#include <string>
#include <vector>

#include "gridlab/console_session.h"
#include "gridlab/result_file.h"

namespace qd::gridlab::testing {

// Every answer of the session to `lines`, joined.
inline std::string type_lines(ConsoleSession& session, const std::vector<std::string>& lines) {
    std::string output;
    for (const auto& line : lines) output += session.enter(line);
    return output;
}

inline std::map<std::string, std::string> result_map(const DeviceConfig& config) {
    std::map<std::string, std::string> entries;
    for (const auto& [key, value] : result_entries(config)) entries[key] = value;
    return entries;
}

// The result entries a fresh session leaves after `lines`.
inline std::map<std::string, std::string> result_after(DeviceModel model, const std::vector<std::string>& lines) {
    ConsoleSession session(model);
    type_lines(session, lines);
    return result_map(session.config());
}

}  // namespace qd::gridlab::testing
