// Commands of the user and privileged modes: changing modes, the show
// commands and saving the configuration.
#include "gridlab/running_config.h"
#include "gridlab/session_state.h"
#include "gridlab/show_commands.h"

namespace qd::gridlab {

namespace {

void add_show_commands(CommandTable& table, bool privileged, DeviceModel model) {
    const bool is_switch = model == DeviceModel::access_switch;
    add(table, "show ip interface brief", [](CommandContext& c) { c.output += show_ip_interface_brief(c.config); });
    add(table, "show interfaces", [](CommandContext& c) { c.output += show_interfaces(c.config, std::nullopt); });
    add(table, "show interfaces <if>", [](CommandContext& c) {
        if (!c.config.find_interface(*c.match.interface)) return c.reject(2);
        c.output += show_interfaces(c.config, c.match.interface);
    });
    if (is_switch) {
        add(table, "show vlan", [](CommandContext& c) { c.output += show_vlan_brief(c.config); });
        add(table, "show vlan brief", [](CommandContext& c) { c.output += show_vlan_brief(c.config); });
    } else {
        add(table, "show ip route", [](CommandContext& c) { c.output += show_ip_route(c.config); });
    }
    if (!privileged) return;
    add(table, "show running-config", [](CommandContext& c) { c.output += show_running_config(c.config); });
    add(table, "show startup-config", [](CommandContext& c) {
        c.output += c.state.startup_config.empty() ? "startup-config is not present\n" : c.state.startup_config;
    });
    add(table, "show access-lists", [](CommandContext& c) { c.output += show_access_lists(c.config); });
    if (is_switch) add(table, "show port-security", [](CommandContext& c) { c.output += show_port_security(c.config); });
}

void save(CommandContext& c) {
    c.state.startup_config = running_config_text(c.config);
    c.print("Building configuration...");
    c.print("[OK]");
}

}  // namespace

void add_exec_commands(CommandTable& table, bool privileged, DeviceModel model) {
    const auto leave = [](CommandContext& c) { c.state.ended = true; };
    add(table, "exit", leave, NoForm::none);
    add(table, "logout", leave, NoForm::none);
    add_show_commands(table, privileged, model);
    if (!privileged) {
        add(
            table, "enable",
            [](CommandContext& c) {
            if (c.config.enable_secret.empty() && c.config.enable_password.empty()) c.state.mode = Mode::privileged;
            else c.state.asking_password = true;
            },
            NoForm::none);
        return;
    }
    add(
        table, "enable", [](CommandContext&) {}, NoForm::none);
    add(
        table, "disable", [](CommandContext& c) { c.state.mode = Mode::user; }, NoForm::none);
    add(
        table, "configure terminal",
        [](CommandContext& c) {
        c.print("Enter configuration commands, one per line.  End with CNTL/Z.");
        c.state.mode = Mode::config;
        },
        NoForm::none);
    add(
        table, "copy running-config startup-config",
        [](CommandContext& c) {
        c.print("Destination filename [startup-config]? ");
        save(c);
        },
        NoForm::none);
    add(table, "write", save, NoForm::none);
    add(table, "write memory", save, NoForm::none);
}

}  // namespace qd::gridlab
