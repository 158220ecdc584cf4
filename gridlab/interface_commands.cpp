// Commands of interface and subinterface configuration mode. Each applies to
// the interface the session works on; a command that does not fit that kind
// of interface gets the invalid-input marker at its first word.
#include <algorithm>

#include "gridlab/config_values.h"
#include "gridlab/session_state.h"
#include "platform/text_forms.h"

namespace qd::gridlab {

namespace {

enum Fits : unsigned {
    kLan = 1,        // FastEthernet main interface of a router
    kSerial = 2,     // serial main interface
    kLanSub = 4,     // FastEthernet subinterface
    kSerialSub = 8,  // serial subinterface
    kLoopback = 16,
    kVlanIf = 32,      // switch VLAN interface
    kSwitchPort = 64,  // switch port
    kRouted = kLan | kSerial | kLanSub | kSerialSub | kLoopback | kVlanIf,
};

unsigned kind_of(const InterfaceConfig& interface, bool is_switch) {
    const InterfaceName& name = interface.name;
    if (name.is_subinterface()) return name.type == InterfaceType::serial ? kSerialSub : kLanSub;
    switch (name.type) {
        case InterfaceType::fast_ethernet: return is_switch ? kSwitchPort : kLan;
        case InterfaceType::serial: return kSerial;
        case InterfaceType::loopback: return kLoopback;
        case InterfaceType::vlan: return kVlanIf;
    }
    return 0;
}

// Registers a command that runs only on interfaces of the given kinds.
void add_on(CommandTable& t, bool is_switch, unsigned fits, std::string_view pattern,
            std::function<void(CommandContext&, InterfaceConfig&)> handler, NoForm no_form = NoForm::keywords) {
    add(
        t, pattern, [handler](CommandContext& c) { handler(c, *c.config.find_interface(c.state.interface)); }, no_form,
        [is_switch, fits](const DeviceConfig& config, const SessionState& state) {
        const InterfaceConfig* interface = config.find_interface(state.interface);
        return interface && (kind_of(*interface, is_switch) & fits);
        });
}

void add_addressing(CommandTable& t, bool is_switch) {
    const unsigned addressed = is_switch ? kVlanIf : kRouted;
    add_on(t, is_switch, addressed, "ip address <ipv4> <ipv4>", [](CommandContext& c, InterfaceConfig& i) {
        if (c.negated) return i.ip_address.clear();
        const auto checked = check_interface_address(c.value(2), c.value(3));
        if (!checked.problem.empty()) return c.print("% " + checked.problem);
        i.ip_address = checked.value;
    });
    if (!is_switch)
        add_on(t, is_switch, kLan, "ip address dhcp",
               [](CommandContext& c, InterfaceConfig& i) { i.ip_address = c.negated ? "" : "dhcp"; });
    add_on(t, is_switch, addressed | kSwitchPort, "shutdown",
           [](CommandContext& c, InterfaceConfig& i) { i.shutdown = !c.negated; });
    add_on(t, is_switch, addressed | kSwitchPort, "description <text>",
           [](CommandContext& c, InterfaceConfig& i) { i.description = c.negated ? "" : c.value(1).substr(0, 240); });
    if (is_switch) return;
    add_on(t, is_switch, kLan | kLanSub, "ip helper-address <ipv4>",
           [](CommandContext& c, InterfaceConfig& i) { i.helper_address = c.negated ? "" : c.value(2); });
    add_on(t, is_switch, kRouted, "ipv6 address <ipv6/len>",
           [](CommandContext& c, InterfaceConfig& i) { i.ipv6_address = c.negated ? "" : to_lower_ascii(c.value(2)); });
    add_on(
        t, is_switch, kRouted, "ip access-group <n:1-199> in|out",
        [](CommandContext& c, InterfaceConfig& i) {
        std::string& group = c.value(3) == "in" ? i.access_group_in : i.access_group_out;
        group = c.negated ? "" : c.value(2);
        },
        NoForm::full);
    add_on(
        t, is_switch, kRouted, "ip nat inside|outside",
        [](CommandContext& c, InterfaceConfig& i) { i.nat_role = c.negated ? "" : c.value(2); }, NoForm::full);
    const auto ospf = [&](const char* pattern, std::string InterfaceConfig::*field) {
        add_on(t, is_switch, kRouted, pattern,
               [field](CommandContext& c, InterfaceConfig& i) { i.*field = c.negated ? "" : c.value(3); });
    };
    ospf("ip ospf priority <n:0-255>", &InterfaceConfig::ospf_priority);
    ospf("ip ospf cost <n:1-65535>", &InterfaceConfig::ospf_cost);
    ospf("ip ospf hello-interval <n:1-65535>", &InterfaceConfig::ospf_hello);
    ospf("ip ospf dead-interval <n:1-65535>", &InterfaceConfig::ospf_dead);
    add_on(t, is_switch, kRouted, "bandwidth <n:1-10000000>",
           [](CommandContext& c, InterfaceConfig& i) { i.bandwidth = c.negated ? "" : c.value(1); });
}

void add_wan(CommandTable& t) {
    add_on(t, false, kSerial, "clock rate <n:300-8000000>", [](CommandContext& c, InterfaceConfig& i) {
        static const long kRates[] = {1200,   2400,   4800,   9600,   14400,   19200,   28800,   38400,   56000,  57600,
                                      64000,  72000,  115200, 125000, 128000,  148000,  192000,  250000,  256000, 384000,
                                      500000, 512000, 768000, 800000, 1000000, 1300000, 2000000, 4000000, 8000000};
        if (c.negated) return i.clock_rate.clear();
        if (std::find(std::begin(kRates), std::end(kRates), std::stol(c.value(2))) == std::end(kRates)) return c.reject(2);
        i.clock_rate = c.value(2);
    });
    add_on(t, false, kSerial, "encapsulation hdlc|ppp|frame-relay", [](CommandContext& c, InterfaceConfig& i) {
        i.encapsulation = c.negated ? "hdlc" : c.value(1);
        if (i.encapsulation != "ppp") i.ppp_authentication.clear();
        if (i.encapsulation != "frame-relay") {
            i.lmi_type.clear();
            i.frame_relay_maps.clear();
        }
    });
    const auto authentication = [](CommandContext& c, InterfaceConfig& i) {
        if (i.encapsulation != "ppp") return c.reject(0);
        if (c.negated) return i.ppp_authentication.clear();
        std::string protocols = c.value(2);
        if (c.has(3)) {
            if (c.value(3) == c.value(2)) return c.reject(3);
            protocols += " " + c.value(3);
        }
        i.ppp_authentication = c.negated ? "" : protocols;
    };
    add_on(t, false, kSerial, "ppp authentication chap|pap", authentication);
    add_on(t, false, kSerial, "ppp authentication chap|pap chap|pap", authentication);
    add_on(t, false, kSerial, "frame-relay lmi-type ansi|q933a", [](CommandContext& c, InterfaceConfig& i) {
        if (i.encapsulation != "frame-relay") return c.reject(0);
        i.lmi_type = c.negated ? "" : c.value(2);
    });
    const auto map = [](CommandContext& c, InterfaceConfig& i) {
        if (i.encapsulation != "frame-relay") return c.reject(0);
        const std::string address = c.value(3);
        std::erase_if(i.frame_relay_maps, [&](const std::string& m) { return m.starts_with(address + " "); });
        if (c.negated) return;
        i.frame_relay_maps.push_back(address + " " + c.value(4) + (c.has(5) ? " broadcast" : ""));
    };
    add_on(t, false, kSerial, "frame-relay map ip <ipv4> <n:16-1007>", map, NoForm::full);
    add_on(t, false, kSerial, "frame-relay map ip <ipv4> <n:16-1007> broadcast", map, NoForm::full);
    add_on(
        t, false, kSerialSub, "frame-relay interface-dlci <n:16-1007>",
        [](CommandContext& c, InterfaceConfig& i) {
        if (c.negated) return i.interface_dlci.clear();
        i.interface_dlci = c.value(2);
        c.state.mode = Mode::fr_dlci;
        },
        NoForm::full);
    const auto dot1q = [](CommandContext& c, InterfaceConfig& i) {
        i.encapsulation = c.negated ? "" : "dot1q " + c.value(2) + (c.has(3) ? " native" : "");
    };
    add_on(t, false, kLanSub, "encapsulation dot1q <n:1-4094>", dot1q);
    add_on(t, false, kLanSub, "encapsulation dot1q <n:1-4094> native", dot1q);
}

void add_port_settings(CommandTable& t, bool is_switch) {
    add_on(t, is_switch, kLan | kSwitchPort, "speed 10|100|auto",
           [](CommandContext& c, InterfaceConfig& i) { i.speed = c.negated ? "auto" : c.value(1); });
    add_on(t, is_switch, kLan | kSwitchPort, "duplex full|half|auto",
           [](CommandContext& c, InterfaceConfig& i) { i.duplex = c.negated ? "auto" : c.value(1); });
}

bool is_dynamic(const InterfaceConfig& i) { return i.switchport_mode.starts_with("dynamic"); }

void add_switchport(CommandTable& t) {
    const auto on_port = [&t](std::string_view pattern, std::function<void(CommandContext&, InterfaceConfig&)> handler,
                              NoForm no_form = NoForm::keywords) {
        add_on(t, true, kSwitchPort, pattern, std::move(handler), no_form);
    };
    const auto mode = [](CommandContext& c, InterfaceConfig& i) {
        if (c.negated) return void(i.switchport_mode = "dynamic desirable");
        const std::string wanted = c.value(2) == "dynamic" ? "dynamic " + c.value(3) : c.value(2);
        if (wanted != "access" && i.port_security) return c.print("Command rejected: " + i.name.shown() + " is a secure port.");
        i.switchport_mode = wanted;
    };
    on_port("switchport mode access|trunk", mode);
    on_port("switchport mode dynamic auto|desirable", mode);
    on_port("switchport access vlan <n:1-4094>", [](CommandContext& c, InterfaceConfig& i) {
        if (c.negated) return void(i.access_vlan = 1);
        const int vlan = std::stoi(c.value(3));
        if (!c.config.vlans.contains(vlan)) {
            c.print("% Access VLAN does not exist. Creating vlan " + c.value(3));
            c.config.vlans[vlan] = default_vlan_name(vlan);
        }
        i.access_vlan = vlan;
    });
    on_port("switchport trunk native vlan <n:1-4094>",
            [](CommandContext& c, InterfaceConfig& i) { i.native_vlan = c.negated ? 1 : std::stoi(c.value(4)); });
    on_port("switchport trunk allowed vlan <vlans>", [](CommandContext& c, InterfaceConfig& i) {
        if (c.negated) return void(i.allowed_vlans = "all");
        // Kept as the device lists it: ascending, ranges written out as typed.
        std::vector<std::pair<long, std::string>> items;
        for (const auto& piece : split_words([&] {
                 std::string s = c.value(4);
                 std::replace(s.begin(), s.end(), ',', ' ');
                 return s;
             }()))
            items.emplace_back(std::stol(piece.text), piece.text);
        std::sort(items.begin(), items.end());
        std::string list;
        for (const auto& [first, text] : items) list += (list.empty() ? "" : ",") + text;
        i.allowed_vlans = list;
    });
    on_port("switchport trunk allowed vlan all", [](CommandContext&, InterfaceConfig& i) { i.allowed_vlans = "all"; });
    on_port("switchport port-security", [](CommandContext& c, InterfaceConfig& i) {
        if (!c.negated && is_dynamic(i)) return c.print("Command rejected: " + i.name.shown() + " is a dynamic port.");
        i.port_security = !c.negated;
    });
    on_port("switchport port-security maximum <n:1-132>", [](CommandContext& c, InterfaceConfig& i) {
        if (!c.negated && is_dynamic(i)) return c.print("Command rejected: " + i.name.shown() + " is a dynamic port.");
        i.port_security_maximum = c.negated ? 1 : std::stoi(c.value(3));
    });
    on_port("switchport port-security violation shutdown|restrict|protect", [](CommandContext& c, InterfaceConfig& i) {
        if (!c.negated && is_dynamic(i)) return c.print("Command rejected: " + i.name.shown() + " is a dynamic port.");
        i.port_security_violation = c.negated ? "shutdown" : c.value(3);
    });
    on_port("switchport port-security mac-address sticky", [](CommandContext& c, InterfaceConfig& i) {
        if (!c.negated && is_dynamic(i)) return c.print("Command rejected: " + i.name.shown() + " is a dynamic port.");
        i.port_security_sticky = !c.negated;
    });
    on_port("spanning-tree portfast", [](CommandContext& c, InterfaceConfig& i) {
        i.portfast = !c.negated;
        if (i.portfast)
            c.print(
                "%Warning: portfast should only be enabled on ports connected to a single\n"
                " host. Connecting hubs, concentrators, switches, bridges, etc... to this\n"
                " interface  when portfast is enabled, can cause temporary bridging loops.\n"
                " Use with CAUTION");
    });
}

}  // namespace

void add_interface_commands(CommandTable& table, DeviceModel model) {
    const bool is_switch = model == DeviceModel::access_switch;
    add_addressing(table, is_switch);
    add_port_settings(table, is_switch);
    if (is_switch) add_switchport(table);
    else add_wan(table);
}

}  // namespace qd::gridlab
