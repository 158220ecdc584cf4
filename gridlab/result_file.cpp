#include "gridlab/result_file.h"

#include "platform/replace_file.h"
#include "platform/text_forms.h"

namespace qd::gridlab {

namespace {

const char* on_off(bool on) { return on ? "enabled" : "disabled"; }

class Entries {
public:
    void add(std::string key, std::string value) { entries_.emplace_back(std::move(key), std::move(value)); }
    void add_if(const std::string& key, const std::string& value) {
        if (!value.empty()) add(key, value);
    }
    // The N-th item of a list under "key 1", "key 2", ...
    template <typename List, typename Form>
    void add_numbered(const std::string& key, const List& list, Form form) {
        int n = 0;
        for (const auto& item : list) add(key + " " + std::to_string(++n), form(item));
    }
    ResultEntries take() { return std::move(entries_); }

private:
    ResultEntries entries_;
};

const auto as_is = [](const std::string& text) { return text; };

void add_interface(Entries& e, const DeviceConfig& config, const InterfaceConfig& i) {
    const std::string key = "interface " + i.name.result_name() + " ";
    e.add_if(key + "ip address", i.ip_address);
    e.add(key + "state", i.shutdown ? "shutdown" : "up");
    e.add_if(key + "description", i.description);
    e.add_if(key + "ip helper-address", i.helper_address);
    e.add_if(key + "ipv6 address", i.ipv6_address);
    e.add_if(key + "ip access-group in", i.access_group_in);
    e.add_if(key + "ip access-group out", i.access_group_out);
    e.add_if(key + "ip nat", i.nat_role);
    e.add_if(key + "ip ospf priority", i.ospf_priority);
    e.add_if(key + "ip ospf cost", i.ospf_cost);
    e.add_if(key + "ip ospf hello-interval", i.ospf_hello);
    e.add_if(key + "ip ospf dead-interval", i.ospf_dead);
    e.add_if(key + "clock rate", i.clock_rate);
    e.add_if(key + "bandwidth", i.bandwidth);
    e.add_if(key + "encapsulation", i.encapsulation);
    e.add_if(key + "ppp authentication", i.ppp_authentication);
    e.add_if(key + "frame-relay lmi-type", i.lmi_type);
    e.add_numbered(key + "frame-relay map ip", i.frame_relay_maps, as_is);
    e.add_if(key + "type", i.subinterface_type);
    e.add_if(key + "frame-relay interface-dlci", i.interface_dlci);
    if (i.name.type != InterfaceType::fast_ethernet || i.name.is_subinterface()) return;
    e.add(key + "speed", i.speed);
    e.add(key + "duplex", i.duplex);
    if (!config.is_switch()) return;
    e.add(key + "switchport mode", i.switchport_mode);
    e.add(key + "switchport access vlan", std::to_string(i.access_vlan));
    e.add(key + "switchport trunk native vlan", std::to_string(i.native_vlan));
    e.add(key + "switchport trunk allowed vlan", i.allowed_vlans);
    e.add(key + "switchport port-security", on_off(i.port_security));
    e.add(key + "switchport port-security maximum", std::to_string(i.port_security_maximum));
    e.add(key + "switchport port-security violation", i.port_security_violation);
    e.add(key + "switchport port-security mac-address sticky", on_off(i.port_security_sticky));
    e.add(key + "spanning-tree portfast", on_off(i.portfast));
}

void add_lines(Entries& e, const DeviceConfig& config) {
    const auto add_line = [&](const std::string& key, const LineConfig& line, bool remote) {
        e.add_if(key + " password", line.password);
        e.add(key + " login", line.login);
        if (remote) {
            e.add(key + " transport input", line.transport_input.empty() ? "all" : line.transport_input);
            e.add_if(key + " access-class in", line.access_class_in);
        }
    };
    add_line("line console 0", config.console, false);
    e.add("line console 0 exec-timeout", config.console.exec_timeout);
    e.add("line console 0 logging synchronous", on_off(config.console.logging_synchronous));
    if (!config.is_switch()) add_line("line aux 0", config.aux, false);
    add_line("line vty 0 4", config.vty[0], true);
}

void add_routing(Entries& e, const DeviceConfig& config) {
    const auto passive = [](const InterfaceName& name) { return name.result_name(); };
    if (config.rip) {
        e.add("router rip version", config.rip->version.empty() ? "default" : config.rip->version);
        e.add_numbered("router rip network", config.rip->networks, as_is);
        e.add("router rip auto-summary", on_off(config.rip->auto_summary));
        e.add_numbered("router rip passive-interface", config.rip->passive_interfaces, passive);
    }
    for (const auto& [number, process] : config.ospf) {
        const std::string key = "router ospf " + std::to_string(number);
        e.add_if(key + " router-id", process.router_id);
        e.add_numbered(key + " network", process.networks, as_is);
        e.add_numbered(key + " passive-interface", process.passive_interfaces, passive);
    }
    for (const auto& [number, process] : config.eigrp) {
        const std::string key = "router eigrp " + std::to_string(number);
        e.add_numbered(key + " network", process.networks, as_is);
        e.add(key + " auto-summary", on_off(process.auto_summary));
        e.add_numbered(key + " passive-interface", process.passive_interfaces, passive);
    }
}

}  // namespace

ResultEntries result_entries(const DeviceConfig& config) {
    Entries e;
    e.add("hostname", config.hostname);
    e.add_if("enable secret", config.enable_secret);
    e.add_if("banner motd", config.banner_motd);
    e.add("service password-encryption", on_off(config.password_encryption));
    for (const auto& [name, password] : config.users) e.add_if("username " + to_lower_ascii(name) + " password", password);
    e.add("ip domain-lookup", on_off(config.domain_lookup));
    e.add_if("ip domain-name", config.domain_name);
    std::string servers;
    for (const auto& server : config.name_servers) servers += (servers.empty() ? "" : " ") + server;
    e.add_if("ip name-server", servers);
    for (const auto& [name, address] : config.hosts) e.add("ip host " + to_lower_ascii(name), address);
    e.add_numbered("ip dhcp excluded-address", config.dhcp_excluded, as_is);
    for (const auto& pool : config.dhcp_pools) {
        const std::string key = "ip dhcp pool " + to_lower_ascii(pool.name) + " ";
        e.add_if(key + "network", pool.network);
        e.add_if(key + "default-router", pool.default_router);
        e.add_if(key + "dns-server", pool.dns_server);
    }
    add_lines(e, config);
    for (const auto& interface : config.interfaces) add_interface(e, config, interface);
    e.add_if("ip default-gateway", config.default_gateway);
    for (const auto& [vlan, name] : config.vlans) e.add("vlan " + std::to_string(vlan) + " name", name);
    for (const auto& [vlan, priority] : config.spanning_tree_priority)
        e.add("spanning-tree vlan " + std::to_string(vlan) + " priority", priority);
    e.add_numbered("ip route", config.ip_routes, as_is);
    add_routing(e, config);
    e.add("ipv6 unicast-routing", on_off(config.ipv6_unicast_routing));
    e.add_numbered("ipv6 route", config.ipv6_routes, as_is);
    for (const auto& [number, entries] : config.access_lists)
        e.add_numbered("access-list " + std::to_string(number) + " entry", entries, as_is);
    e.add_numbered("ip nat inside source static", config.nat_static, as_is);
    e.add_if("ip nat inside source list", config.nat_source_list);
    return e.take();
}

std::string result_file_text(const DeviceConfig& config) {
    std::string text = "[general]\r\n";
    for (const auto& [key, value] : result_entries(config)) text += key + "=" + value + "\r\n";
    return text;
}

std::optional<std::string> write_result_file(const std::filesystem::path& folder, const DeviceConfig& config,
                                             const FileNotice& notice) {
    tell_of_planted_link(notice, folder / "out.ini");
    return replace_file(folder / "out.ini", result_file_text(config));
}

}  // namespace qd::gridlab
