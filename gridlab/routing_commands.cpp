// Commands of router configuration mode for RIP, OSPF and EIGRP.
#include <algorithm>

#include "gridlab/address_forms.h"
#include "gridlab/session_state.h"

namespace qd::gridlab {

namespace {

RoutingProcess& process_of(CommandContext& c) {
    if (c.state.protocol == RoutingProtocol::rip) return *c.config.rip;
    if (c.state.protocol == RoutingProtocol::ospf) return c.config.ospf[c.state.process];
    return c.config.eigrp[c.state.process];
}

void toggle(std::vector<std::string>& list, const std::string& entry, bool remove) {
    std::erase(list, entry);
    if (!remove) list.push_back(entry);
}

void add_common(CommandTable& t, bool with_auto_summary) {
    add(
        t, "passive-interface <if>",
        [](CommandContext& c) {
        const InterfaceName name = *c.match.interface;
        if (!c.config.find_interface(name)) return c.reject(1);
        auto& passive = process_of(c).passive_interfaces;
        std::erase(passive, name);
        if (!c.negated) passive.push_back(name);
        },
        NoForm::full);
    if (with_auto_summary) add(t, "auto-summary", [](CommandContext& c) { process_of(c).auto_summary = !c.negated; });
}

}  // namespace

void add_routing_commands(ModeTables& tables) {
    // RIP and EIGRP networks are classful: the device keeps the network the address belongs to.
    const auto classful = [](CommandContext& c) {
        const std::string network = format_ipv4(classful_network(*parse_ipv4(c.value(1))));
        toggle(process_of(c).networks, network, c.negated);
    };
    add(tables.rip, "version 1|2", [](CommandContext& c) { process_of(c).version = c.negated ? "" : c.value(1); });
    add(tables.rip, "network <ipv4>", classful, NoForm::full);
    add_common(tables.rip, true);

    add(tables.eigrp, "network <ipv4>", classful, NoForm::full);
    add(
        tables.eigrp, "network <ipv4> <ipv4>",
        [](CommandContext& c) {
        const auto wildcard = *parse_ipv4(c.value(2));
        const std::string network = format_ipv4(*parse_ipv4(c.value(1)) & ~wildcard) + " " + c.value(2);
        toggle(process_of(c).networks, network, c.negated);
        },
        NoForm::full);
    add_common(tables.eigrp, true);

    add(tables.ospf, "router-id <ipv4>", [](CommandContext& c) { process_of(c).router_id = c.negated ? "" : c.value(1); });
    add(
        tables.ospf, "network <ipv4> <ipv4> area <n:0-4294967295>",
        [](CommandContext& c) {
        const auto wildcard = *parse_ipv4(c.value(2));
        const std::string network = format_ipv4(*parse_ipv4(c.value(1)) & ~wildcard) + " " + c.value(2) + " area " +
                                    std::to_string(std::stol(c.value(4)));
        toggle(process_of(c).networks, network, c.negated);
        },
        NoForm::full);
    add_common(tables.ospf, false);
}

}  // namespace qd::gridlab
