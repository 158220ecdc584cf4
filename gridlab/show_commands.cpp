#include "gridlab/show_commands.h"

#include <algorithm>
#include <cstdio>

#include "gridlab/address_forms.h"
#include "gridlab/command_pattern.h"
#include "gridlab/running_config.h"

namespace qd::gridlab {

namespace {

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text + ' ';
}

std::string status_of(const InterfaceConfig& i) { return i.shutdown ? "administratively down" : "up"; }
std::string protocol_of(const InterfaceConfig& i) { return i.shutdown ? "down" : "up"; }

// "FastEthernet0/5" shown as "Fa0/5" in the switch tables.
std::string short_name(const InterfaceName& name) {
    const std::string shown = name.shown();
    const auto digit = shown.find_first_of("0123456789");
    return shown.substr(0, 2) + shown.substr(digit);
}

std::string with_prefix(const std::string& address_and_mask) {
    const auto words = split_words(address_and_mask);
    if (words.size() != 2) return address_and_mask;
    return words[0].text + "/" + std::to_string(prefix_length(*parse_ipv4(words[1].text)));
}

bool is_switch_port(const DeviceConfig& config, const InterfaceConfig& i) {
    return config.is_switch() && i.name.type == InterfaceType::fast_ethernet;
}

}  // namespace

std::string show_ip_interface_brief(const DeviceConfig& config) {
    std::string out = padded("Interface", 26) + padded("IP-Address", 15) + "OK? " + padded("Method", 6) + padded("Status", 21) +
                      "Protocol\n";
    for (const auto& i : config.interfaces) {
        const bool manual = !i.ip_address.empty() && i.ip_address != "dhcp";
        const std::string address = manual ? split_words(i.ip_address).front().text : "unassigned";
        const std::string method = manual ? "manual" : i.ip_address == "dhcp" ? "DHCP" : "unset";
        out += padded(i.name.shown(), 26) + padded(address, 15) + "YES " + padded(method, 6) + padded(status_of(i), 21) +
               protocol_of(i) + "\n";
    }
    return out;
}

std::string show_interfaces(const DeviceConfig& config, const std::optional<InterfaceName>& only) {
    std::string out;
    int index = 0;
    for (const auto& i : config.interfaces) {
        ++index;
        if (only && i.name != *only) continue;
        const bool serial = i.name.type == InterfaceType::serial;
        out += i.name.shown() + " is " + status_of(i) + ", line protocol is " + protocol_of(i) + "\n";
        char hardware[64];
        std::snprintf(hardware, sizeof hardware, "0200.5e00.%04x", index);
        const char* kind = serial                                   ? "Serial"
                           : i.name.type == InterfaceType::loopback ? "Loopback"
                           : i.name.type == InterfaceType::vlan     ? "EtherSVI"
                                                                    : "Fast Ethernet";
        out += std::string("  Hardware is ") + kind +
               (serial || i.name.type == InterfaceType::loopback ? "" : std::string(", address is ") + hardware) + "\n";
        if (!i.description.empty()) out += "  Description: " + i.description + "\n";
        if (!i.ip_address.empty() && i.ip_address != "dhcp") out += "  Internet address is " + with_prefix(i.ip_address) + "\n";
        const std::string bandwidth = !i.bandwidth.empty()                     ? i.bandwidth
                                      : serial                                 ? "1544"
                                      : i.name.type == InterfaceType::loopback ? "8000000"
                                                                               : "100000";
        out += "  MTU 1500 bytes, BW " + bandwidth + " Kbit/sec, DLY " + (serial ? "20000" : "100") + " usec,\n";
        std::string encapsulation = "ARPA";
        if (serial && !i.name.is_subinterface())
            encapsulation = i.encapsulation == "frame-relay" ? "FRAME-RELAY" : i.encapsulation == "ppp" ? "PPP" : "HDLC";
        else if (i.name.is_subinterface() && !i.encapsulation.empty())
            encapsulation = "802.1Q Virtual LAN, Vlan ID " + split_words(i.encapsulation)[1].text;
        out += "  Encapsulation " + encapsulation + ", loopback not set\n";
        if (i.name.type == InterfaceType::fast_ethernet && !i.name.is_subinterface()) {
            const std::string duplex = i.duplex == "auto" ? "Auto-duplex" : i.duplex == "full" ? "Full-duplex" : "Half-duplex";
            const std::string speed = i.speed == "auto" ? "Auto-speed" : i.speed + "Mb/s";
            out += "  " + duplex + ", " + speed + "\n";
        }
        if (is_switch_port(config, i)) {
            out += "  Switchport mode " + i.switchport_mode + ", access VLAN " + std::to_string(i.access_vlan) + "\n";
        }
    }
    return out;
}

std::string show_vlan_brief(const DeviceConfig& config) {
    std::string out = "\n" + padded("VLAN", 4) + padded("Name", 32) + padded("Status", 9) + "Ports\n" + "---- " +
                      std::string(32, '-') + " --------- -------------------------------\n";
    for (const auto& [vlan, name] : config.vlans) {
        std::vector<std::string> ports;
        for (const auto& i : config.interfaces)
            if (is_switch_port(config, i) && i.switchport_mode != "trunk" && i.access_vlan == vlan)
                ports.push_back(short_name(i.name));
        const bool legacy = vlan >= 1002 && vlan <= 1005;
        out += padded(std::to_string(vlan), 4) + padded(name, 32) + padded(legacy ? "act/unsup" : "active", 9);
        for (std::size_t p = 0; p < ports.size(); ++p) {
            if (p > 0 && p % 4 == 0) out += "\n" + std::string(48, ' ');
            out += ports[p] + (p + 1 < ports.size() && (p + 1) % 4 != 0 ? ", " : p + 1 < ports.size() ? "," : "");
        }
        while (out.back() == ' ') out.pop_back();
        out += "\n";
    }
    return out;
}

std::string show_ip_route(const DeviceConfig& config) {
    std::string out =
        "Codes: C - connected, S - static, R - RIP, O - OSPF, D - EIGRP\n"
        "       * - candidate default\n\n";
    std::vector<std::pair<std::uint32_t, std::string>> routes;
    std::string last_resort = "Gateway of last resort is not set";
    for (const auto& i : config.interfaces) {
        if (i.shutdown || i.ip_address.empty() || i.ip_address == "dhcp") continue;
        const auto words = split_words(i.ip_address);
        const std::uint32_t mask = *parse_ipv4(words[1].text);
        const std::uint32_t network = *parse_ipv4(words[0].text) & mask;
        routes.emplace_back(network, "C    " + format_ipv4(network) + "/" + std::to_string(prefix_length(mask)) +
                                         " is directly connected, " + i.name.shown());
    }
    for (const auto& route : config.ip_routes) {
        const auto words = split_words(with_shown_interface_names(route, config.is_switch()));
        const std::uint32_t network = *parse_ipv4(words[0].text);
        const std::string prefix = words[0].text + "/" + std::to_string(prefix_length(*parse_ipv4(words[1].text)));
        const bool via_address = parse_ipv4(words[2].text).has_value();
        const bool is_default = network == 0 && words[1].text == "0.0.0.0";
        if (is_default) last_resort = "Gateway of last resort is " + words[2].text + " to network 0.0.0.0";
        routes.emplace_back(network, std::string(is_default ? "S*   " : "S    ") + prefix +
                                         (via_address ? " [1/0] via " + words[2].text : " is directly connected, " + words[2].text));
    }
    std::stable_sort(routes.begin(), routes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    out += last_resort + "\n\n";
    for (const auto& [network, text] : routes) out += text + "\n";
    return out;
}

std::string show_access_lists(const DeviceConfig& config) {
    std::string out;
    for (const auto& [number, entries] : config.access_lists) {
        out += std::string(number < 100 ? "Standard" : "Extended") + " IP access list " + std::to_string(number) + "\n";
        int sequence = 10;
        for (const auto& entry : entries) {
            std::string shown = entry;
            const auto words = split_words(entry);
            if (number < 100 && words.size() == 3) shown = words[0].text + " " + words[1].text + ", wildcard bits " + words[2].text;
            out += "    " + std::to_string(sequence) + " " + shown + "\n";
            sequence += 10;
        }
    }
    return out;
}

std::string show_port_security(const DeviceConfig& config) {
    std::string out =
        "Secure Port  MaxSecureAddr  CurrentAddr  SecurityViolation  Security Action\n"
        "                (Count)       (Count)          (Count)\n" +
        std::string(75, '-') + "\n";
    for (const auto& i : config.interfaces) {
        if (!is_switch_port(config, i) || !i.port_security) continue;
        std::string action = i.port_security_violation;
        action[0] = static_cast<char>(action[0] - 'a' + 'A');
        char row[128];
        std::snprintf(row, sizeof row, "%11s %14d %12d %18d %16s\n", short_name(i.name).c_str(), i.port_security_maximum, 0, 0,
                      action.c_str());
        out += row;
    }
    return out + std::string(75, '-') + "\n";
}

}  // namespace qd::gridlab
