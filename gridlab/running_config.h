#pragma once
// The running configuration as "show running-config" lists it.
#include <string>

#include "gridlab/device_config.h"

namespace qd::gridlab {

// The configuration text from the first "!" to "end".
std::string running_config_text(const DeviceConfig& config);

// The same with the lines the command prints before it.
std::string show_running_config(const DeviceConfig& config);

// Words of a stored value with interface names in their shown form:
// "10.20.0.0 255.255.0.0 serial0/0" gives "10.20.0.0 255.255.0.0 Serial0/0".
std::string with_shown_interface_names(const std::string& words, bool is_switch);

}  // namespace qd::gridlab
