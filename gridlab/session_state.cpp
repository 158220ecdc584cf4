#include "gridlab/session_state.h"

namespace qd::gridlab {

LineConfig& line_config(DeviceConfig& config, int line) {
    if (line == kConsoleLine) return config.console;
    if (line == kAuxLine) return config.aux;
    return config.vty.at(static_cast<std::size_t>(line - kFirstVtyLine));
}

std::string invalid_input_marker(std::size_t column) {
    return std::string(column, ' ') + "^\n% Invalid input detected at '^' marker.\n";
}

void CommandContext::reject(std::size_t element) const {
    const std::size_t offset = element < match.offsets.size() ? match.offsets[element] : 0;
    output += invalid_input_marker(prompt_width + offset);
}

void add_mode_navigation(CommandTable& table) {
    add(
        table, "exit",
        [](CommandContext& c) {
        switch (c.state.mode) {
            case Mode::config: c.state.mode = Mode::privileged; break;
            case Mode::fr_dlci: c.state.mode = Mode::subinterface; break;
            default: c.state.mode = Mode::config; break;
        }
        },
        NoForm::none);
    add(
        table, "end", [](CommandContext& c) { c.state.mode = Mode::privileged; }, NoForm::none);
    add(
        table, "do <text>", [](CommandContext& c) { c.state.do_command = c.value(1); }, NoForm::none);
}

ModeTables build_mode_tables(DeviceModel model) {
    ModeTables tables;
    add_exec_commands(tables.user, false, model);
    add_exec_commands(tables.privileged, true, model);
    add_global_commands(tables.config, model);
    add_interface_commands(tables.interface, model);
    add_line_commands(tables.line);
    if (model == DeviceModel::router) add_routing_commands(tables);
    add_vlan_and_pool_commands(tables);
    for (CommandTable* table : {&tables.config, &tables.interface, &tables.line, &tables.rip, &tables.ospf, &tables.eigrp,
                                &tables.vlan, &tables.dhcp_pool, &tables.fr_dlci})
        add_mode_navigation(*table);
    return tables;
}

}  // namespace qd::gridlab
