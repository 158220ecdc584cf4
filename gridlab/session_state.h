#pragma once
// What a console session is doing besides the configuration: its mode, what
// the current sub-mode works on, and the hand-over to the command handlers.
#include <string>
#include <string_view>
#include <vector>

#include "gridlab/command_matcher.h"
#include "gridlab/command_table.h"
#include "gridlab/device_config.h"

namespace qd::gridlab {

enum class Mode { user, privileged, config, interface, subinterface, line, router, vlan, dhcp_pool, fr_dlci };

enum class RoutingProtocol { rip, ospf, eigrp };

// Lines are numbered 0 for the console, 1 for aux and 2 to 17 for vty 0 to 15.
inline constexpr int kConsoleLine = 0;
inline constexpr int kAuxLine = 1;
inline constexpr int kFirstVtyLine = 2;

struct SessionState {
    Mode mode = Mode::user;
    InterfaceName interface;
    std::vector<int> lines;
    RoutingProtocol protocol = RoutingProtocol::rip;
    int process = 0;
    int vlan = 0;
    std::string pool;
    bool ended = false;
    bool asking_password = false;
    int password_attempts = 0;
    bool in_banner = false;
    std::string startup_config;  // empty until saved
    std::string do_command;      // an exec command that "do" hands over from a configuration mode
};

LineConfig& line_config(DeviceConfig& config, int line);

// The tables of every mode, for one device model.
struct ModeTables {
    CommandTable user, privileged, config, interface, line, rip, ospf, eigrp, vlan, dhcp_pool, fr_dlci;
};
ModeTables build_mode_tables(DeviceModel model);

// What a handler gets: the configuration, the session, the matched words and
// a place for its answer.
struct CommandContext {
    DeviceConfig& config;
    SessionState& state;
    const MatchedCommand& match;
    bool negated;
    std::size_t prompt_width;
    std::string& output;

    const std::string& value(std::size_t element) const { return match.values.at(element); }
    std::size_t count() const { return match.values.size(); }
    bool has(std::size_t element) const { return element < match.values.size(); }
    void print(std::string_view text) const {
        output.append(text);
        output += '\n';
    }
    // The device's marker under the word of `element` and its message.
    void reject(std::size_t element) const;
};

std::string invalid_input_marker(std::size_t column);

// Per-mode tables, each in its own file.
void add_exec_commands(CommandTable& table, bool privileged, DeviceModel model);
void add_global_commands(CommandTable& table, DeviceModel model);
void add_interface_commands(CommandTable& table, DeviceModel model);
void add_line_commands(CommandTable& table);
void add_routing_commands(ModeTables& tables);
void add_vlan_and_pool_commands(ModeTables& tables);
// "exit", "end" and "do" of every configuration mode.
void add_mode_navigation(CommandTable& table);

}  // namespace qd::gridlab
