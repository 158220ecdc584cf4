// Commands of global configuration mode.
#include <algorithm>

#include "gridlab/address_forms.h"
#include "gridlab/config_values.h"
#include "gridlab/session_state.h"
#include "platform/text_forms.h"

namespace qd::gridlab {

namespace {

std::string join_values(const CommandContext& c, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i < c.count(); ++i) text += (text.empty() ? "" : " ") + c.value(i);
    return text;
}

template <typename Pairs>
auto find_named(Pairs& pairs, const std::string& name) {
    return std::find_if(pairs.begin(), pairs.end(), [&](const auto& p) { return equals_ignoring_case(p.first, name); });
}

void add_device_commands(CommandTable& t, DeviceModel model) {
    add(t, "hostname <word>", [model](CommandContext& c) {
        if (c.negated) {
            c.config.hostname = model == DeviceModel::router ? "Router" : "Switch";
            return;
        }
        if (!is_valid_hostname(c.value(1))) return c.print("% Hostname contains one or more illegal characters.");
        c.config.hostname = c.value(1);
    });
    add(t, "enable secret <text>", [](CommandContext& c) { c.config.enable_secret = c.negated ? "" : c.value(2); });
    add(t, "enable password <text>", [](CommandContext& c) { c.config.enable_password = c.negated ? "" : c.value(2); });
    add(t, "banner motd <text>", [](CommandContext& c) {
        c.config.banner_motd.clear();
        if (c.negated) return;
        const std::string& text = c.value(2);
        c.config.banner_delimiter = text.front();
        const auto close = text.find(text.front(), 1);
        c.config.banner_motd = std::string(
            trim_blanks(std::string_view(text).substr(1, close == std::string::npos ? std::string::npos : close - 1)));
        if (close == std::string::npos) {
            c.print(std::string("Enter TEXT message.  End with the character '") + text.front() + "'.");
            c.state.in_banner = true;
        }
    });
    add(t, "service password-encryption", [](CommandContext& c) { c.config.password_encryption = !c.negated; });
    const auto set_user = [](CommandContext& c, bool secret) {
        auto user = find_named(c.config.users, c.value(1));
        if (c.negated) {
            if (user != c.config.users.end()) c.config.users.erase(user);
            return;
        }
        // A secret is stored only in its encrypted form, so it is no password the result can show.
        const std::string password = secret ? std::string() : c.value(3);
        if (user == c.config.users.end()) c.config.users.emplace_back(c.value(1), password);
        else user->second = password;
    };
    add(
        t, "username <word> password <text>", [set_user](CommandContext& c) { set_user(c, false); }, NoForm::full);
    add(
        t, "username <word> secret <text>", [set_user](CommandContext& c) { set_user(c, true); }, NoForm::full);
}

void add_name_and_dhcp_commands(CommandTable& t) {
    const auto lookup = [](CommandContext& c) { c.config.domain_lookup = !c.negated; };
    add(t, "ip domain-lookup", lookup);
    add(t, "ip domain lookup", lookup);
    add(t, "ip domain-name <word>", [](CommandContext& c) { c.config.domain_name = c.negated ? "" : c.value(2); });
    add(t, "ip domain name <word>", [](CommandContext& c) { c.config.domain_name = c.negated ? "" : c.value(3); });
    for (const char* pattern : {"ip name-server <ipv4>", "ip name-server <ipv4> <ipv4>", "ip name-server <ipv4> <ipv4> <ipv4>"}) {
        add(t, pattern, [](CommandContext& c) {
            auto& servers = c.config.name_servers;
            for (std::size_t i = 2; i < c.count(); ++i) {
                std::erase(servers, c.value(i));
                if (!c.negated && servers.size() < 6) servers.push_back(c.value(i));
            }
            if (c.negated && c.count() == 2) servers.clear();
        });
    }
    add(
        t, "ip host <word> <ipv4>",
        [](CommandContext& c) {
        auto host = find_named(c.config.hosts, c.value(2));
        if (c.negated) {
            if (host != c.config.hosts.end()) c.config.hosts.erase(host);
        } else if (host == c.config.hosts.end()) {
            c.config.hosts.emplace_back(c.value(2), c.value(3));
        } else {
            host->second = c.value(3);
        }
        },
        NoForm::full);
    const auto exclude = [](CommandContext& c) {
        std::string range = c.value(3);
        if (c.has(4)) {
            if (*parse_ipv4(c.value(4)) < *parse_ipv4(c.value(3))) return c.reject(4);
            range += " " + c.value(4);
        }
        insert_ascending(c.config.dhcp_excluded, range, c.negated);
    };
    add(t, "ip dhcp excluded-address <ipv4>", exclude, NoForm::full);
    add(t, "ip dhcp excluded-address <ipv4> <ipv4>", exclude, NoForm::full);
    add(
        t, "ip dhcp pool <word>",
        [](CommandContext& c) {
        auto& pools = c.config.dhcp_pools;
        const auto pool = std::find_if(pools.begin(), pools.end(), [&](const DhcpPool& p) { return p.name == c.value(3); });
        if (c.negated) {
            if (pool != pools.end()) pools.erase(pool);
            return;
        }
        if (pool == pools.end()) pools.push_back({c.value(3), "", "", ""});
        c.state.pool = c.value(3);
        c.state.mode = Mode::dhcp_pool;
        },
        NoForm::full);
    add(t, "ip default-gateway <ipv4>", [](CommandContext& c) { c.config.default_gateway = c.negated ? "" : c.value(2); });
}

void add_routing_and_nat_commands(CommandTable& t) {
    const auto route = [](CommandContext& c) {
        const auto destination = parse_ipv4(c.value(2));
        const auto mask = parse_ipv4(c.value(3));
        if (!is_contiguous_mask(*mask)) return c.reject(3);
        if ((*destination & ~*mask) != 0) return c.print("%Inconsistent address and mask");
        if (c.match.interface && !c.config.find_interface(*c.match.interface)) return c.reject(4);
        std::string entry = c.value(2) + " " + c.value(3) + " " + c.value(4);
        insert_ascending(c.config.ip_routes, entry, c.negated);
    };
    add(t, "ip route <ipv4> <ipv4> <ipv4>", route, NoForm::full);
    add(t, "ip route <ipv4> <ipv4> <if>", route, NoForm::full);
    add(t, "ipv6 unicast-routing", [](CommandContext& c) { c.config.ipv6_unicast_routing = !c.negated; });
    const auto route6 = [](CommandContext& c) {
        if (c.match.interface && !c.config.find_interface(*c.match.interface)) return c.reject(3);
        const std::string entry = to_lower_ascii(c.value(2)) + " " + to_lower_ascii(c.value(3));
        if (c.negated) std::erase(c.config.ipv6_routes, entry);
        else if (std::find(c.config.ipv6_routes.begin(), c.config.ipv6_routes.end(), entry) == c.config.ipv6_routes.end())
            c.config.ipv6_routes.push_back(entry);
    };
    add(t, "ipv6 route <ipv6/len> <ipv6>", route6, NoForm::full);
    add(t, "ipv6 route <ipv6/len> <if>", route6, NoForm::full);
    add(
        t, "ip nat inside source static <ipv4> <ipv4>",
        [](CommandContext& c) {
        const std::string entry = c.value(5) + " " + c.value(6);
        insert_ascending(c.config.nat_static, entry, c.negated);
        },
        NoForm::full);
    const auto nat_list = [](CommandContext& c) { c.config.nat_source_list = c.negated ? "" : join_values(c, 5); };
    add(t, "ip nat inside source list <n:1-199> interface <if>", nat_list, NoForm::full);
    add(t, "ip nat inside source list <n:1-199> interface <if> overload", nat_list, NoForm::full);
    add(t, "ip nat inside source list <n:1-199> pool <word>", nat_list, NoForm::full);
    add(t, "ip nat inside source list <n:1-199> pool <word> overload", nat_list, NoForm::full);
}

void add_standard_access_lists(CommandTable& t) {
    const auto remove_list = [](CommandContext& c) {
        if (!c.negated) return c.print("% Incomplete command.");
        c.config.access_lists.erase(std::stoi(c.value(1)));
    };
    add(t, "access-list <n:1-199>", remove_list, NoForm::full);
    const auto standard = [](CommandContext& c) {
        if (c.negated) return c.config.access_lists.erase(std::stoi(c.value(1))), void();
        const std::vector<std::string> words(c.match.values.begin() + 3, c.match.values.end());
        const auto address = access_list_address(words, true);
        if (!address) return c.reject(3);
        c.config.access_lists[std::stoi(c.value(1))].push_back(c.value(2) + " " + *address);
    };
    for (const char* source : {"any", "host <ipv4>", "<ipv4>", "<ipv4> <ipv4>"})
        add(t, std::string("access-list <n:1-99> permit|deny ") + source, standard, NoForm::full);
}

void add_extended_access_lists(CommandTable& t) {
    const auto extended = [](CommandContext& c) {
        if (c.negated) return c.config.access_lists.erase(std::stoi(c.value(1))), void();
        // Elements: access-list N action protocol source... destination... [operator port].
        std::vector<std::string> words(c.match.values.begin() + 4, c.match.values.end());
        std::string port_test;
        if (words.size() >= 2 && (words[words.size() - 2] == "eq" || words[words.size() - 2] == "gt" ||
                                  words[words.size() - 2] == "lt" || words[words.size() - 2] == "neq")) {
            const auto port = port_keyword(words.back());
            if (!port || c.value(3) == "ip" || c.value(3) == "icmp") return c.reject(c.count() - 1);
            port_test = " " + words[words.size() - 2] + " " + *port;
            words.resize(words.size() - 2);
        }
        // The source test is "any" or two words; the rest is the destination.
        const std::size_t source_words = words.front() == "any" ? 1 : 2;
        const std::vector<std::string> source(words.begin(), words.begin() + source_words);
        const std::vector<std::string> destination(words.begin() + source_words, words.end());
        const auto from = access_list_address(source, false);
        const auto to = access_list_address(destination, false);
        if (!from) return c.reject(4);
        if (!to) return c.reject(4 + source_words);
        c.config.access_lists[std::stoi(c.value(1))].push_back(c.value(2) + " " + c.value(3) + " " + *from + " " + *to + port_test);
    };
    for (const char* source : {"any", "host <ipv4>", "<ipv4> <ipv4>"})
        for (const char* destination : {"any", "host <ipv4>", "<ipv4> <ipv4>"})
            for (const char* port : {"", " eq|gt|lt|neq <word>"})
                add(t, std::string("access-list <n:100-199> permit|deny ip|tcp|udp|icmp ") + source + " " + destination + port,
                    extended, NoForm::full);
}

void add_mode_entries(CommandTable& t, DeviceModel model) {
    const bool is_switch = model == DeviceModel::access_switch;
    const auto enter_interface = [](CommandContext& c) {
        const InterfaceName name = *c.match.interface;
        const bool creatable = name.type == InterfaceType::loopback || name.type == InterfaceType::vlan ||
                               (name.is_subinterface() && c.config.find_interface(name.parent()));
        if (c.negated) {
            if (creatable && !(name.type == InterfaceType::vlan && name.port == 1)) c.config.remove_interface(name);
            else c.reject(1);
            return;
        }
        if (!c.config.find_interface(name) && !creatable) return c.reject(1);
        InterfaceConfig& interface = c.config.add_interface(name);
        if (c.has(2)) {
            if (!name.is_subinterface() || name.type != InterfaceType::serial) return c.reject(2);
            interface.subinterface_type = c.value(2);
        }
        c.state.interface = name;
        c.state.mode = name.is_subinterface() ? Mode::subinterface : Mode::interface;
    };
    add(t, "interface <if>", enter_interface, NoForm::full);
    if (!is_switch) add(t, "interface <if> point-to-point|multipoint", enter_interface, NoForm::none);

    const auto enter_lines = [](CommandContext& c, int first, int last) {
        c.state.lines.clear();
        for (int line = first; line <= last; ++line) c.state.lines.push_back(line);
        c.state.mode = Mode::line;
    };
    add(
        t, "line console <n:0-0>", [enter_lines](CommandContext& c) { enter_lines(c, kConsoleLine, kConsoleLine); }, NoForm::none);
    if (!is_switch)
        add(
            t, "line aux <n:0-0>", [enter_lines](CommandContext& c) { enter_lines(c, kAuxLine, kAuxLine); }, NoForm::none);
    const auto vty = [enter_lines](CommandContext& c) {
        const int first = std::stoi(c.value(2));
        const int last = c.has(3) ? std::stoi(c.value(3)) : first;
        if (last < first) return c.reject(3);
        enter_lines(c, kFirstVtyLine + first, kFirstVtyLine + last);
    };
    add(t, "line vty <n:0-15>", vty, NoForm::none);
    add(t, "line vty <n:0-15> <n:0-15>", vty, NoForm::none);

    if (is_switch) {
        add(
            t, "vlan <n:1-4094>",
            [](CommandContext& c) {
            const int vlan = std::stoi(c.value(1));
            if (vlan == 1 || (vlan >= 1002 && vlan <= 1005)) {
                if (c.negated) return c.print("Default VLAN " + c.value(1) + " may not be deleted.");
            }
            if (c.negated) return c.config.vlans.erase(vlan), void();
            if (!c.config.vlans.contains(vlan)) c.config.vlans[vlan] = default_vlan_name(vlan);
            c.state.vlan = vlan;
            c.state.mode = Mode::vlan;
            },
            NoForm::full);
        add(t, "spanning-tree vlan <n:1-4094> priority <n:0-61440>", [](CommandContext& c) {
            const int vlan = std::stoi(c.value(2));
            if (c.negated) return c.config.spanning_tree_priority.erase(vlan), void();
            if (std::stoi(c.value(4)) % 4096 != 0) {
                c.print("% Bridge Priority must be in increments of 4096.");
                return c.print(
                    "% Allowed values are:\n  0     4096  8192  12288 16384 20480 24576 28672\n  32768 36864 40960 45056 49152 "
                    "53248 57344 61440");
            }
            c.config.spanning_tree_priority[vlan] = c.value(4);
        });
        return;
    }
    add(t, "router rip", [](CommandContext& c) {
        if (c.negated) return c.config.rip.reset();
        if (!c.config.rip) c.config.rip = RoutingProcess{};
        c.state.protocol = RoutingProtocol::rip;
        c.state.mode = Mode::router;
    });
    const auto numbered_process = [](RoutingProtocol protocol, std::map<int, RoutingProcess> DeviceConfig::*processes) {
        return [protocol, processes](CommandContext& c) {
            const int process = std::stoi(c.value(2));
            if (c.negated) return (c.config.*processes).erase(process), void();
            (c.config.*processes)[process];
            c.state.protocol = protocol;
            c.state.process = process;
            c.state.mode = Mode::router;
        };
    };
    add(t, "router ospf <n:1-65535>", numbered_process(RoutingProtocol::ospf, &DeviceConfig::ospf), NoForm::full);
    add(t, "router eigrp <n:1-65535>", numbered_process(RoutingProtocol::eigrp, &DeviceConfig::eigrp), NoForm::full);
}

}  // namespace

void add_global_commands(CommandTable& table, DeviceModel model) {
    add_device_commands(table, model);
    add_name_and_dhcp_commands(table);
    add_mode_entries(table, model);
    add_standard_access_lists(table);
    if (model == DeviceModel::router) {
        add_routing_and_nat_commands(table);
        add_extended_access_lists(table);
    }
}

}  // namespace qd::gridlab
