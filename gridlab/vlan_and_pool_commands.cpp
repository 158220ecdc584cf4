// Commands of VLAN configuration mode and DHCP pool configuration mode.
#include <algorithm>

#include "gridlab/session_state.h"

namespace qd::gridlab {

namespace {

DhcpPool* current_pool(CommandContext& c) {
    auto& pools = c.config.dhcp_pools;
    const auto pool = std::find_if(pools.begin(), pools.end(), [&](const DhcpPool& p) { return p.name == c.state.pool; });
    return pool == pools.end() ? nullptr : &*pool;
}

void add_pool_value(CommandTable& t, std::string_view pattern, std::string DhcpPool::*field, std::size_t first, std::size_t last) {
    add(t, pattern, [field, first, last](CommandContext& c) {
        DhcpPool* pool = current_pool(c);
        if (!pool) return c.reject(0);
        std::string value;
        for (std::size_t i = first; i <= last && c.has(i); ++i) value += (value.empty() ? "" : " ") + c.value(i);
        pool->*field = c.negated ? "" : value;
    });
}

}  // namespace

void add_vlan_and_pool_commands(ModeTables& tables) {
    add(tables.vlan, "name <word>", [](CommandContext& c) {
        const int vlan = c.state.vlan;
        if (vlan == 1 || (vlan >= 1002 && vlan <= 1005))
            return c.print("%Default VLAN " + std::to_string(vlan) + " may not have its name changed.");
        c.config.vlans[vlan] = c.negated ? default_vlan_name(vlan) : c.value(1).substr(0, 32);
    });

    add_pool_value(tables.dhcp_pool, "network <ipv4> <ipv4>", &DhcpPool::network, 1, 2);
    add_pool_value(tables.dhcp_pool, "default-router <ipv4>", &DhcpPool::default_router, 1, 1);
    add_pool_value(tables.dhcp_pool, "dns-server <ipv4>", &DhcpPool::dns_server, 1, 1);
    add_pool_value(tables.dhcp_pool, "dns-server <ipv4> <ipv4>", &DhcpPool::dns_server, 1, 2);
}

}  // namespace qd::gridlab
