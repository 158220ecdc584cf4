#pragma once
// A mode's commands: each is a pattern and the handler that runs it.
#include <functional>
#include <vector>

#include "gridlab/command_pattern.h"

namespace qd::gridlab {

struct CommandContext;
struct DeviceConfig;
struct SessionState;
using CommandHandler = std::function<void(CommandContext&)>;
// Whether a command exists where the session stands (for instance "clock
// rate" only on a serial interface); without one it always exists.
using CommandAvailability = std::function<bool(const DeviceConfig&, const SessionState&)>;

struct Command {
    CommandPattern pattern;
    CommandHandler handler;
    CommandAvailability available;
};
using CommandTable = std::vector<Command>;

// Adds one command: add(table, "hostname <word>", handler).
inline void add(CommandTable& table, std::string_view pattern, CommandHandler handler, NoForm no_form = NoForm::keywords,
                CommandAvailability available = {}) {
    table.push_back({parse_pattern(pattern, no_form), std::move(handler), std::move(available)});
}

}  // namespace qd::gridlab
