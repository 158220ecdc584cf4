#include "gridlab/running_config.h"

#include <cstdio>

#include "gridlab/command_pattern.h"
#include "gridlab/session_state.h"

namespace qd::gridlab {

namespace {

// Stored passwords are shown scrambled once password encryption is on, and
// the enable secret always; the forms are this console's own.
std::string scrambled(const std::string& text) {
    std::string shown = "07";
    static const char kKey[] = "qdgridlabconsole";
    for (std::size_t i = 0; i < text.size(); ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(text[i] ^ kKey[i % (sizeof kKey - 1)]));
        shown += hex;
    }
    return shown;
}

std::string secret_digest(const std::string& text) {
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    static const char kDigits[] = "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::string digest = "$1$gl4b$";
    for (int i = 0; i < 22; ++i) {
        digest += kDigits[hash % 64];
        hash = hash / 64 + (hash << 58) + static_cast<std::uint64_t>(i) * 40503u;
    }
    return digest;
}

std::string password_line(const std::string& keyword, const std::string& password, bool encrypted) {
    return keyword + (encrypted ? " 7 " + scrambled(password) : " " + password);
}

void render_interface(std::string& out, const DeviceConfig& config, const InterfaceConfig& i) {
    const bool is_switch = config.is_switch();
    const auto line = [&](const std::string& text) { out += " " + text + "\n"; };
    out += "interface " + i.name.shown();
    if (!i.subinterface_type.empty()) out += " " + i.subinterface_type;
    out += "\n";
    if (!i.description.empty()) line("description " + i.description);
    if (!i.bandwidth.empty()) line("bandwidth " + i.bandwidth);
    if (i.name.is_subinterface() && !i.encapsulation.empty()) line("encapsulation " + i.encapsulation);
    const bool port = is_switch && i.name.type == InterfaceType::fast_ethernet;
    if (port) {
        if (i.access_vlan != 1) line("switchport access vlan " + std::to_string(i.access_vlan));
        if (i.native_vlan != 1) line("switchport trunk native vlan " + std::to_string(i.native_vlan));
        if (i.allowed_vlans != "all") line("switchport trunk allowed vlan " + i.allowed_vlans);
        if (i.switchport_mode != "dynamic desirable") line("switchport mode " + i.switchport_mode);
        if (i.port_security) line("switchport port-security");
        if (i.port_security_maximum != 1) line("switchport port-security maximum " + std::to_string(i.port_security_maximum));
        if (i.port_security_violation != "shutdown") line("switchport port-security violation " + i.port_security_violation);
        if (i.port_security_sticky) line("switchport port-security mac-address sticky");
    } else {
        if (i.ip_address.empty()) line("no ip address");
        else if (i.ip_address == "dhcp") line("ip address dhcp");
        else line("ip address " + i.ip_address);
    }
    if (!i.helper_address.empty()) line("ip helper-address " + i.helper_address);
    if (!i.access_group_in.empty()) line("ip access-group " + i.access_group_in + " in");
    if (!i.access_group_out.empty()) line("ip access-group " + i.access_group_out + " out");
    if (!i.nat_role.empty()) line("ip nat " + i.nat_role);
    if (!i.ospf_priority.empty()) line("ip ospf priority " + i.ospf_priority);
    if (!i.ospf_cost.empty()) line("ip ospf cost " + i.ospf_cost);
    if (!i.ospf_hello.empty()) line("ip ospf hello-interval " + i.ospf_hello);
    if (!i.ospf_dead.empty()) line("ip ospf dead-interval " + i.ospf_dead);
    if (!i.name.is_subinterface() && i.name.type == InterfaceType::serial && i.encapsulation != "hdlc")
        line("encapsulation " + i.encapsulation);
    if (!i.ipv6_address.empty()) line("ipv6 address " + i.ipv6_address);
    if (!i.clock_rate.empty()) line("clock rate " + i.clock_rate);
    if (!i.ppp_authentication.empty()) line("ppp authentication " + i.ppp_authentication);
    for (const auto& map : i.frame_relay_maps) line("frame-relay map ip " + map);
    if (!i.lmi_type.empty()) line("frame-relay lmi-type " + i.lmi_type);
    if (!i.interface_dlci.empty()) line("frame-relay interface-dlci " + i.interface_dlci);
    if (i.name.type == InterfaceType::fast_ethernet && !i.name.is_subinterface()) {
        if (i.speed != "auto") line("speed " + i.speed);
        if (i.duplex != "auto") line("duplex " + i.duplex);
    }
    if (i.portfast) line("spanning-tree portfast");
    if (i.shutdown) line("shutdown");
    out += "!\n";
}

void render_process(std::string& out, const std::string& header, const RoutingProcess& p, bool has_summary) {
    out += header + "\n";
    if (!p.version.empty()) out += " version " + p.version + "\n";
    if (!p.router_id.empty()) out += " router-id " + p.router_id + "\n";
    for (const auto& name : p.passive_interfaces) out += " passive-interface " + name.shown() + "\n";
    for (const auto& network : p.networks) out += " network " + network + "\n";
    if (has_summary && !p.auto_summary) out += " no auto-summary\n";
    out += "!\n";
}

void render_line(std::string& out, const std::string& header, const LineConfig& l, bool encrypted, bool is_console) {
    out += header + "\n";
    if (l.exec_timeout != "10 0") out += " exec-timeout " + l.exec_timeout + "\n";
    if (!l.access_class_in.empty()) out += " access-class " + l.access_class_in + " in\n";
    if (!l.password.empty()) out += " " + password_line("password", l.password, encrypted) + "\n";
    if (l.logging_synchronous) out += " logging synchronous\n";
    const std::string default_login = is_console ? "no login" : "login";
    if (l.login != "no login") out += " " + l.login + "\n";
    else if (l.login != default_login) out += " no login\n";
    if (!l.transport_input.empty()) out += " transport input " + l.transport_input + "\n";
}

bool same_line(const LineConfig& a, const LineConfig& b) {
    return a.password == b.password && a.login == b.login && a.exec_timeout == b.exec_timeout &&
           a.logging_synchronous == b.logging_synchronous && a.transport_input == b.transport_input &&
           a.access_class_in == b.access_class_in;
}

}  // namespace

std::string with_shown_interface_names(const std::string& words, bool is_switch) {
    std::string shown;
    for (const Token& token : split_words(words)) {
        const auto [type, number] = split_type_and_number(token.text);
        const auto name = number.empty() ? std::nullopt : parse_interface_name(type, number, is_switch);
        shown += (shown.empty() ? "" : " ") + (name ? name->shown() : token.text);
    }
    return shown;
}

std::string running_config_text(const DeviceConfig& config) {
    const bool is_switch = config.is_switch();
    std::string out = "!\n";
    out += config.password_encryption ? "service password-encryption\n" : "no service password-encryption\n";
    out += "!\nhostname " + config.hostname + "\n!\n";
    if (!config.enable_secret.empty()) out += "enable secret 5 " + secret_digest(config.enable_secret) + "\n";
    if (!config.enable_password.empty())
        out += password_line("enable password", config.enable_password, config.password_encryption) + "\n";
    if (!config.enable_secret.empty() || !config.enable_password.empty()) out += "!\n";
    for (const auto& [name, password] : config.users)
        out += password.empty() ? "username " + name + " secret 5 " + secret_digest(name) + "\n"
                                : password_line("username " + name + " password", password, config.password_encryption) + "\n";
    if (!config.domain_lookup) out += "no ip domain-lookup\n";
    if (!config.domain_name.empty()) out += "ip domain-name " + config.domain_name + "\n";
    for (const auto& [name, address] : config.hosts) out += "ip host " + name + " " + address + "\n";
    if (!config.name_servers.empty()) {
        out += "ip name-server";
        for (const auto& server : config.name_servers) out += " " + server;
        out += "\n";
    }
    for (const auto& range : config.dhcp_excluded) out += "ip dhcp excluded-address " + range + "\n";
    for (const auto& pool : config.dhcp_pools) {
        out += "!\nip dhcp pool " + pool.name + "\n";
        if (!pool.network.empty()) out += " network " + pool.network + "\n";
        if (!pool.default_router.empty()) out += " default-router " + pool.default_router + "\n";
        if (!pool.dns_server.empty()) out += " dns-server " + pool.dns_server + "\n";
    }
    if (config.ipv6_unicast_routing) out += "ipv6 unicast-routing\n";
    out += "!\n";
    for (const auto& [vlan, priority] : config.spanning_tree_priority)
        out += "spanning-tree vlan " + std::to_string(vlan) + " priority " + priority + "\n";
    if (!config.spanning_tree_priority.empty()) out += "!\n";
    for (const auto& interface : config.interfaces) render_interface(out, config, interface);
    if (config.rip) render_process(out, "router rip", *config.rip, true);
    for (const auto& [number, process] : config.ospf) render_process(out, "router ospf " + std::to_string(number), process, false);
    for (const auto& [number, process] : config.eigrp) render_process(out, "router eigrp " + std::to_string(number), process, true);
    if (!config.default_gateway.empty()) out += "ip default-gateway " + config.default_gateway + "\n";
    for (const auto& route : config.ip_routes) out += "ip route " + with_shown_interface_names(route, is_switch) + "\n";
    for (const auto& entry : config.nat_static) out += "ip nat inside source static " + entry + "\n";
    if (!config.nat_source_list.empty())
        out += "ip nat inside source list " + with_shown_interface_names(config.nat_source_list, is_switch) + "\n";
    out += "!\n";
    for (const auto& [number, entries] : config.access_lists)
        for (const auto& entry : entries) out += "access-list " + std::to_string(number) + " " + entry + "\n";
    for (const auto& route : config.ipv6_routes) out += "ipv6 route " + with_shown_interface_names(route, is_switch) + "\n";
    out += "!\n";
    if (!config.banner_motd.empty()) out += "banner motd ^C" + config.banner_motd + "^C\n!\n";
    const bool encrypted = config.password_encryption;
    render_line(out, "line con 0", config.console, encrypted, true);
    if (!is_switch) render_line(out, "line aux 0", config.aux, encrypted, true);
    // Neighbouring vty lines with the same settings are listed as one range.
    std::size_t first = 0;
    while (first < config.vty.size()) {
        std::size_t last = first;
        while (last + 1 < config.vty.size() && same_line(config.vty[last + 1], config.vty[first]) && last + 1 != 5) ++last;
        const std::string header = "line vty " + std::to_string(first) + (last > first ? " " + std::to_string(last) : "");
        render_line(out, header, config.vty[first], encrypted, false);
        first = last + 1;
    }
    out += "!\nend\n";
    return out;
}

std::string show_running_config(const DeviceConfig& config) {
    const std::string text = running_config_text(config);
    return "Building configuration...\n\nCurrent configuration : " + std::to_string(text.size()) + " bytes\n" + text;
}

}  // namespace qd::gridlab
