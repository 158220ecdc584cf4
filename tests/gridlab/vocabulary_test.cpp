// Every key of the simulator vocabulary can be set with the commands the labs
// use, and the result file holds it with the documented example value.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/text_forms.h"
#include "session_driver.h"

namespace qd::gridlab {
namespace {

const std::vector<std::string> kRouterScript{"enable",
                                             "configure terminal",
                                             "hostname R1",
                                             "enable secret marble7",
                                             "banner motd #Authorized users only#",
                                             "service password-encryption",
                                             "username admin password cobalt5",
                                             "username R2 password tandem",
                                             "no ip domain-lookup",
                                             "ip domain-name example.com",
                                             "ip name-server 192.168.1.53",
                                             "ip host fileserver 192.168.1.20",
                                             "ip dhcp excluded-address 192.168.1.1 192.168.1.10",
                                             "ip dhcp pool LAN",
                                             " network 192.168.1.0 255.255.255.0",
                                             " default-router 192.168.1.1",
                                             " dns-server 192.168.1.53",
                                             "line console 0",
                                             " password harbor",
                                             " login",
                                             " exec-timeout 10 0",
                                             " logging synchronous",
                                             "line aux 0",
                                             " password quartz",
                                             " login",
                                             "line vty 0 4",
                                             " password falcon",
                                             " login local",
                                             " transport input telnet",
                                             " access-class 5 in",
                                             "interface fastethernet0/0",
                                             " ip address 192.168.10.1 255.255.255.0",
                                             " no shutdown",
                                             " description Sales LAN",
                                             " ip helper-address 10.1.100.5",
                                             " ip ospf priority 100",
                                             " ipv6 address 2001:db8:1:1::1/64",
                                             " ip access-group 110 in",
                                             " ip access-group 10 out",
                                             " ip nat inside",
                                             "interface fastethernet0/1",
                                             " ip address dhcp",
                                             " shutdown",
                                             " description Not in use",
                                             " speed 100",
                                             " duplex full",
                                             "interface fastethernet0/0.10",
                                             " encapsulation dot1q 10",
                                             " ip address 192.168.10.1 255.255.255.0",
                                             "interface fastethernet0/0.20",
                                             " encapsulation dot1q 20",
                                             " ip address 192.168.20.1 255.255.255.0",
                                             "interface loopback0",
                                             " ip address 2.2.2.2 255.255.255.255",
                                             "interface serial0/0",
                                             " ip address 10.1.1.1 255.255.255.252",
                                             " no shutdown",
                                             " clock rate 64000",
                                             " bandwidth 64",
                                             " encapsulation ppp",
                                             " ppp authentication chap",
                                             " ip ospf cost 50",
                                             " ip ospf hello-interval 5",
                                             " ip ospf dead-interval 20",
                                             " ipv6 address 2001:db8:1:12::1/64",
                                             " ip nat outside",
                                             "interface serial0/1",
                                             " ip address 10.0.2.1 255.255.255.252",
                                             " no shutdown",
                                             " exit",
                                             "ip route 192.168.30.0 255.255.255.0 10.1.1.2",
                                             "ip route 10.2.0.0 255.255.0.0 10.1.1.2",
                                             "router rip",
                                             " version 2",
                                             " network 10.0.0.0",
                                             " network 192.168.1.0",
                                             " no auto-summary",
                                             " passive-interface fastethernet0/0",
                                             "router ospf 1",
                                             " router-id 1.1.1.1",
                                             " network 10.0.0.0 0.0.0.3 area 0",
                                             " network 192.168.1.0 0.0.0.255 area 0",
                                             " network 192.168.2.0 0.0.0.255 area 0",
                                             " passive-interface fastethernet0/0",
                                             "router eigrp 100",
                                             " network 10.0.0.0",
                                             " network 172.16.0.0",
                                             " no auto-summary",
                                             " passive-interface fastethernet0/0",
                                             "ipv6 unicast-routing",
                                             "ipv6 route ::/0 2001:db8:1:12::2",
                                             "access-list 1 permit 192.168.1.0 0.0.0.255",
                                             "access-list 5 permit 192.168.1.0 0.0.0.255",
                                             "access-list 10 deny 192.168.20.0 0.0.0.255",
                                             "access-list 10 permit any",
                                             "access-list 110 permit tcp 192.168.10.0 0.0.0.255 host 172.16.1.10 eq www",
                                             "access-list 110 deny tcp 192.168.10.0 0.0.0.255 any eq telnet",
                                             "access-list 110 permit ip any any",
                                             "ip nat inside source static 192.168.1.10 203.0.113.10",
                                             "ip nat inside source static 192.168.1.11 203.0.113.11",
                                             "ip nat inside source list 1 interface serial0/0 overload",
                                             "end"};

const std::vector<std::string> kFrameRelayScript{"enable",
                                                 "configure terminal",
                                                 "interface serial0/0",
                                                 " encapsulation frame-relay",
                                                 " frame-relay lmi-type ansi",
                                                 " frame-relay map ip 10.1.1.2 102 broadcast",
                                                 " frame-relay map ip 10.1.1.3 103 broadcast",
                                                 "interface serial0/0.102 point-to-point",
                                                 " ip address 10.1.2.2 255.255.255.252",
                                                 " frame-relay interface-dlci 102",
                                                 "end"};

const std::vector<std::string> kSwitchScript{"enable",
                                             "configure terminal",
                                             "interface vlan 1",
                                             " ip address 192.168.1.2 255.255.255.0",
                                             " no shutdown",
                                             "interface vlan 99",
                                             " ip address 192.168.99.2 255.255.255.0",
                                             " no shutdown",
                                             " exit",
                                             "ip default-gateway 192.168.1.1",
                                             "vlan 10",
                                             " name Sales",
                                             "vlan 20",
                                             " name Engineering",
                                             "vlan 40",
                                             " name Servers",
                                             "vlan 99",
                                             " name Management",
                                             " exit",
                                             "spanning-tree vlan 1 priority 4096",
                                             "spanning-tree vlan 10 priority 8192",
                                             "interface fastethernet0/1",
                                             " switchport mode trunk",
                                             "interface fastethernet0/2",
                                             " shutdown",
                                             " switchport mode access",
                                             " switchport access vlan 10",
                                             "interface fastethernet0/3",
                                             " switchport mode access",
                                             " switchport access vlan 20",
                                             "interface fastethernet0/5",
                                             " switchport mode access",
                                             " switchport access vlan 10",
                                             " switchport port-security",
                                             " switchport port-security maximum 2",
                                             " switchport port-security violation restrict",
                                             "interface fastethernet0/8",
                                             " description Reception desk",
                                             " switchport mode access",
                                             " switchport port-security",
                                             " switchport port-security maximum 2",
                                             " switchport port-security mac-address sticky",
                                             "interface fastethernet0/20",
                                             " description File server",
                                             " switchport mode access",
                                             " switchport access vlan 40",
                                             " switchport port-security",
                                             " spanning-tree portfast",
                                             "interface fastethernet0/24",
                                             " switchport mode trunk",
                                             " switchport trunk native vlan 99",
                                             " switchport trunk allowed vlan 1,10,20,99",
                                             "end"};

struct VocabularyEntry {
    std::string key;
    std::string example;
};

std::vector<VocabularyEntry> vocabulary() {
    std::ifstream in(std::string(QUIZDECK_SOURCE_DIR) + "/content/banks/simulator_keys.txt");
    std::vector<VocabularyEntry> entries;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const auto first = line.find('|');
        const auto last = line.rfind('|');
        if (first == std::string::npos || first == last) continue;
        entries.push_back({std::string(trim_blanks(line.substr(0, first))), std::string(trim_blanks(line.substr(last + 1)))});
    }
    return entries;
}

TEST(Vocabulary, everyKeyIsWrittenWithItsExampleValue) {
    const auto entries = vocabulary();
    ASSERT_FALSE(entries.empty());
    const std::vector<std::map<std::string, std::string>> results{testing::result_after(DeviceModel::router, kRouterScript),
                                                                  testing::result_after(DeviceModel::router, kFrameRelayScript),
                                                                  testing::result_after(DeviceModel::access_switch, kSwitchScript)};
    for (const auto& entry : entries) {
        bool written = false;
        for (const auto& result : results) {
            const auto found = result.find(entry.key);
            written |= found != result.end() && to_lower_ascii(trim_blanks(found->second)) == to_lower_ascii(entry.example);
        }
        EXPECT_TRUE(written) << entry.key << " = " << entry.example;
    }
}

TEST(Vocabulary, theScriptsRunWithoutAComplaint) {
    for (const auto& [model, script] :
         {std::pair{DeviceModel::router, kRouterScript}, std::pair{DeviceModel::router, kFrameRelayScript},
          std::pair{DeviceModel::access_switch, kSwitchScript}}) {
        ConsoleSession session(model);
        for (const auto& line : script) {
            const std::string answer = session.enter(line);
            EXPECT_TRUE(answer.empty() || answer.starts_with("Enter configuration") || answer.starts_with("%Warning: portfast"))
                << line << "\n"
                << answer;
        }
    }
}

}  // namespace
}  // namespace qd::gridlab
