#pragma once
// The show commands' answers, drawn from the configuration. The simulated
// device has no cables, so an enabled interface shows as up.
#include <optional>
#include <string>

#include "gridlab/device_config.h"

namespace qd::gridlab {

std::string show_ip_interface_brief(const DeviceConfig& config);
std::string show_interfaces(const DeviceConfig& config, const std::optional<InterfaceName>& only);
std::string show_vlan_brief(const DeviceConfig& config);
std::string show_ip_route(const DeviceConfig& config);
std::string show_access_lists(const DeviceConfig& config);
std::string show_port_security(const DeviceConfig& config);

}  // namespace qd::gridlab
