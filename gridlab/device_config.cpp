#include "gridlab/device_config.h"

#include <algorithm>

namespace qd::gridlab {

InterfaceConfig* DeviceConfig::find_interface(const InterfaceName& name) {
    for (auto& interface : interfaces)
        if (interface.name == name) return &interface;
    return nullptr;
}

const InterfaceConfig* DeviceConfig::find_interface(const InterfaceName& name) const {
    return const_cast<DeviceConfig*>(this)->find_interface(name);
}

InterfaceConfig& DeviceConfig::add_interface(const InterfaceName& name) {
    if (auto* existing = find_interface(name)) return *existing;
    InterfaceConfig created;
    created.name = name;
    // Loopbacks and subinterfaces start enabled; a VLAN interface stays shut down until enabled.
    created.shutdown = name.type == InterfaceType::vlan;
    const auto place = std::upper_bound(interfaces.begin(), interfaces.end(), name,
                                        [](const InterfaceName& n, const InterfaceConfig& i) { return n < i.name; });
    return *interfaces.insert(place, std::move(created));
}

void DeviceConfig::remove_interface(const InterfaceName& name) {
    std::erase_if(interfaces, [&](const InterfaceConfig& i) { return i.name == name; });
}

std::string default_vlan_name(int vlan) {
    const std::string number = std::to_string(vlan);
    return "VLAN" + std::string(number.size() < 4 ? 4 - number.size() : 0, '0') + number;
}

DeviceConfig factory_config(DeviceModel model) {
    DeviceConfig config;
    config.model = model;
    for (auto& line : config.vty) line.login = "login";
    if (model == DeviceModel::router) {
        config.hostname = "Router";
        for (int port = 0; port < 2; ++port) {
            InterfaceConfig& lan = config.add_interface({InterfaceType::fast_ethernet, 0, port, 0});
            lan.shutdown = true;
        }
        for (int port = 0; port < 2; ++port) {
            InterfaceConfig& wan = config.add_interface({InterfaceType::serial, 0, port, 0});
            wan.shutdown = true;
            wan.encapsulation = "hdlc";
        }
    } else {
        config.hostname = "Switch";
        for (int port = 1; port <= 24; ++port) config.add_interface({InterfaceType::fast_ethernet, 0, port, 0});
        config.add_interface({InterfaceType::vlan, 0, 1, 0});
        config.vlans = {{1, "default"},
                        {1002, "fddi-default"},
                        {1003, "token-ring-default"},
                        {1004, "fddinet-default"},
                        {1005, "trnet-default"}};
    }
    return config;
}

}  // namespace qd::gridlab
