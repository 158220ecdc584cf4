#pragma once
// The configuration the console holds: everything a lab can set, in plain
// values that the running configuration and the result file are drawn from.
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "gridlab/interface_name.h"

namespace qd::gridlab {

enum class DeviceModel { router, access_switch };

struct InterfaceConfig {
    InterfaceName name;
    bool shutdown = false;
    std::string description;
    std::string ip_address;  // "address mask", "dhcp" or empty
    std::string helper_address;
    std::string ipv6_address;
    std::string access_group_in;
    std::string access_group_out;
    std::string nat_role;  // "inside", "outside" or empty
    std::string ospf_priority, ospf_cost, ospf_hello, ospf_dead;
    std::string clock_rate;
    std::string bandwidth;
    std::string encapsulation;  // serial: "hdlc", "ppp", "frame-relay"; subinterface: "dot1q 10 [native]"
    std::string ppp_authentication;
    std::string lmi_type;
    std::vector<std::string> frame_relay_maps;  // "10.1.1.2 102 broadcast"
    std::string subinterface_type;              // "point-to-point" or "multipoint"
    std::string interface_dlci;
    std::string speed = "auto";
    std::string duplex = "auto";
    // Switch ports.
    std::string switchport_mode = "dynamic desirable";
    int access_vlan = 1;
    int native_vlan = 1;
    std::string allowed_vlans = "all";
    bool port_security = false;
    int port_security_maximum = 1;
    std::string port_security_violation = "shutdown";
    bool port_security_sticky = false;
    bool portfast = false;
};

struct LineConfig {
    std::string password;
    std::string login = "no login";  // "login", "login local" or "no login"
    std::string exec_timeout = "10 0";
    bool logging_synchronous = false;
    std::string transport_input;  // empty: not set
    std::string access_class_in;
};

struct DhcpPool {
    std::string name;  // as typed
    std::string network;
    std::string default_router;
    std::string dns_server;
};

struct RoutingProcess {
    std::string version;                // RIP only: "1", "2" or empty
    std::string router_id;              // OSPF only
    std::vector<std::string> networks;  // in the order entered
    std::vector<InterfaceName> passive_interfaces;
    bool auto_summary = true;
};

struct DeviceConfig {
    DeviceModel model = DeviceModel::router;
    std::string hostname;
    std::string enable_secret;
    std::string enable_password;
    std::string banner_motd;
    char banner_delimiter = '#';
    bool password_encryption = false;
    std::vector<std::pair<std::string, std::string>> users;  // name as typed, password
    bool domain_lookup = true;
    std::string domain_name;
    std::vector<std::string> name_servers;
    std::vector<std::pair<std::string, std::string>> hosts;  // name as typed, address
    std::vector<std::string> dhcp_excluded;                  // "low [high]"
    std::vector<DhcpPool> dhcp_pools;
    LineConfig console;
    LineConfig aux;
    std::array<LineConfig, 16> vty;
    std::vector<InterfaceConfig> interfaces;  // in the order the running configuration lists them
    std::string default_gateway;
    std::map<int, std::string> vlans;  // VLAN number: name
    std::map<int, std::string> spanning_tree_priority;
    std::vector<std::string> ip_routes;    // ascending
    std::vector<std::string> ipv6_routes;  // ascending
    bool ipv6_unicast_routing = false;
    std::optional<RoutingProcess> rip;
    std::map<int, RoutingProcess> ospf;
    std::map<int, RoutingProcess> eigrp;
    std::map<int, std::vector<std::string>> access_lists;  // entries without "access-list N"
    std::vector<std::string> nat_static;                   // "inside-local inside-global", ascending
    std::string nat_source_list;                           // "1 interface serial0/0 overload"

    bool is_switch() const { return model == DeviceModel::access_switch; }
    InterfaceConfig* find_interface(const InterfaceName& name);
    const InterfaceConfig* find_interface(const InterfaceName& name) const;
    // Adds an interface that may be created (loopback, subinterface, VLAN
    // interface) in its listed place; returns the existing one when present.
    InterfaceConfig& add_interface(const InterfaceName& name);
    void remove_interface(const InterfaceName& name);
};

// The name a VLAN gets when none is given: VLAN0010 for VLAN 10.
std::string default_vlan_name(int vlan);

// The factory configuration: an entry-level router with two FastEthernet and
// two serial interfaces, or a 24-port access switch.
DeviceConfig factory_config(DeviceModel model);

}  // namespace qd::gridlab
