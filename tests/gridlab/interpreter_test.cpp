#include <gtest/gtest.h>

#include "gridlab/command_history.h"
#include "session_driver.h"

namespace qd::gridlab {
namespace {

using testing::result_after;
using testing::type_lines;

const std::vector<std::string> kToConfig{"enable", "configure terminal"};

std::vector<std::string> in_config(std::vector<std::string> lines) {
    lines.insert(lines.begin(), kToConfig.begin(), kToConfig.end());
    return lines;
}

TEST(ConsoleModes, eachModeCommandLeadsToItsPrompt) {
    struct Step {
        const char* line;
        const char* prompt;
    };
    const struct {
        DeviceModel model;
        std::vector<Step> steps;
    } cases[] = {
        {DeviceModel::router,
         {{"", "Router>"},
          {"enable", "Router#"},
          {"configure terminal", "Router(config)#"},
          {"interface fastethernet0/0", "Router(config-if)#"},
          {"interface fastethernet0/0.10", "Router(config-subif)#"},
          {"exit", "Router(config)#"},
          {"line console 0", "Router(config-line)#"},
          {"router ospf 1", "Router(config-router)#"},
          {"ip dhcp pool LAN", "Router(dhcp-config)#"},
          {"interface serial0/0.102 point-to-point", "Router(config-subif)#"},
          {"frame-relay interface-dlci 102", "Router(config-fr-dlci)#"},
          {"exit", "Router(config-subif)#"},
          {"hostname Edge", "Edge(config)#"},
          {"do show ip interface brief", "Edge(config)#"},
          {"end", "Edge#"},
          {"disable", "Edge>"}}},
        {DeviceModel::access_switch,
         {{"enable", "Switch#"},
          {"conf t", "Switch(config)#"},
          {"vlan 10", "Switch(config-vlan)#"},
          {"vlan 20", "Switch(config-vlan)#"},
          {"int fa0/5", "Switch(config-if)#"},
          {"int vlan 1", "Switch(config-if)#"},
          {"exit", "Switch(config)#"},
          {"exit", "Switch#"}}},
    };
    for (const auto& c : cases) {
        ConsoleSession session(c.model);
        for (const auto& step : c.steps) {
            SCOPED_TRACE(step.line);
            session.enter(step.line);
            EXPECT_EQ(session.prompt(), step.prompt);
        }
    }
}

TEST(ConsoleModes, ctrlZEndsConfigurationAndExitFromUserModeEndsTheSession) {
    ConsoleSession session(DeviceModel::router);
    type_lines(session, in_config({"line vty 0 4"}));
    session.end_configuration();
    EXPECT_EQ(session.prompt(), "Router#");
    type_lines(session, {"configure terminal", "hostname R1\x1a"});
    EXPECT_EQ(session.prompt(), "R1#") << "a Ctrl+Z character in a line";
    session.enter("disable");
    EXPECT_FALSE(session.ended());
    session.enter("exit");
    EXPECT_TRUE(session.ended());
}

TEST(ConsoleModes, enableAsksForTheSecretOnceOneIsSet) {
    ConsoleSession session(DeviceModel::router);
    type_lines(session, in_config({"enable secret marble7", "end", "disable", "enable"}));
    EXPECT_EQ(session.prompt(), "Password: ");
    session.enter("wrong");
    EXPECT_EQ(session.prompt(), "Password: ");
    session.enter("marble7");
    EXPECT_EQ(session.prompt(), "Router#");
}

TEST(ConsoleParsing, abbreviationsAmbiguityAndErrorMarkers) {
    const struct {
        std::vector<std::string> before;
        const char* line;
        const char* answer;  // the whole answer, or a part of it when `part`
        bool part;
    } cases[] = {
        {kToConfig, "i", "% Ambiguous command:  \"i\"\n", false},
        {kToConfig, "ip rout 10.0.0.0 255.0.0.0", "% Incomplete command.\n", false},
        {in_config({"int fa0/0"}), "s", "% Ambiguous command:  \"s\"\n", false},
        {in_config({"int fa0/0"}), "ip addr", "% Incomplete command.\n", false},
        {in_config({"int fa0/0"}), "ip address 10.1.1.1 255.0.255.0", "% Bad mask 0xFF00FF00 for address 10.1.1.1\n", false},
        {in_config({"int fa0/0"}), "ip address 10.1.1.0 255.255.255.0", "% Bad mask /24 for address 10.1.1.0\n", false},
        {in_config({"int fa0/0"}), "clock rate 64000", "^\n% Invalid input detected", true},
        {in_config({"int s0/0"}), "clock rate 64001", "^\n% Invalid input detected", true},
        {kToConfig, "interface fastethernet0/9", "^\n% Invalid input detected", true},
        {kToConfig, "ping 10.1.1.1", "^\n% Invalid input detected", true},
        {{}, "configure terminal", "^\n% Invalid input detected", true},
        {{}, "foo", "Translating \"foo\"...domain server (255.255.255.255)\n% Unknown command", true},
        {{"en"}, "sh run", "hostname Router\n", true},
        {{"en"}, "sh ip int br", "FastEthernet0/0            unassigned      YES unset  administratively down down\n", true},
        {{"en"}, "copy run start", "[OK]\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ConsoleSession session(DeviceModel::router);
        type_lines(session, c.before);
        const std::string answer = session.enter(c.line);
        if (c.part) EXPECT_NE(answer.find(c.answer), std::string::npos) << answer;
        else EXPECT_EQ(answer, c.answer);
    }
}

TEST(ConsoleParsing, theMarkerPointsAtTheFirstWordThatDoesNotFit) {
    ConsoleSession session(DeviceModel::router);
    type_lines(session, kToConfig);
    const std::string prompt = session.prompt();
    EXPECT_EQ(session.enter("hostnme R1"), std::string(prompt.size(), ' ') + "^\n% Invalid input detected at '^' marker.\n");
    EXPECT_EQ(session.enter("hostname R1 extra"),
              std::string(prompt.size() + 12, ' ') + "^\n% Invalid input detected at '^' marker.\n");
}

TEST(ConsoleParsing, helpListsTheModesWordsAndTabCompletesAUniqueOne) {
    ConsoleSession session(DeviceModel::router);
    type_lines(session, {"enable"});
    EXPECT_EQ(session.enter("conf?"), "  configure  Enter configuration mode\n");
    EXPECT_EQ(session.enter("configure ?"), "  terminal  Configure from the terminal\n");
    EXPECT_EQ(session.complete("conf"), "configure ");
    EXPECT_EQ(session.complete("configure t"), "configure terminal ");
    EXPECT_EQ(session.complete("d"), "disable ");
    EXPECT_EQ(session.complete("configure "), std::nullopt);
    type_lines(session, {"configure terminal", "interface serial0/0"});
    const std::string help = session.help("ip address ");
    EXPECT_NE(help.find("A.B.C.D"), std::string::npos) << help;
    EXPECT_EQ(session.help("encapsulation "),
              "  frame-relay  Frame Relay settings\n"
              "  hdlc         HDLC framing, the serial default\n"
              "  ppp          Point-to-point protocol settings\n");
    EXPECT_EQ(session.help("ip address 10.1.1.1 255.255.255.0 "), "  <cr>\n");
    EXPECT_EQ(session.complete("s"), "shutdown ");  // a serial interface has no speed
    EXPECT_EQ(session.complete("no sh"), "no shutdown ");
    session.enter("interface fastethernet0/0");
    EXPECT_EQ(session.complete("s"), std::nullopt);  // shutdown or speed
}

TEST(ConsoleConfiguration, noFormsRemoveOrRestoreTheSetting) {
    const struct {
        DeviceModel model;
        std::vector<std::string> lines;
        const char* key;
        const char* value;  // nullptr: the key is gone from the result
    } cases[] = {
        {DeviceModel::router, in_config({"hostname R1", "no hostname"}), "hostname", "Router"},
        {DeviceModel::router, in_config({"int fa0/0", "no shut"}), "interface fastethernet0/0 state", "up"},
        {DeviceModel::router, in_config({"int fa0/0", "no shut", "shut"}), "interface fastethernet0/0 state", "shutdown"},
        {DeviceModel::router, in_config({"int fa0/0", "ip add 10.0.0.1 255.0.0.0", "no ip address"}),
         "interface fastethernet0/0 ip address", nullptr},
        {DeviceModel::router, in_config({"no ip domain-lookup"}), "ip domain-lookup", "disabled"},
        {DeviceModel::router, in_config({"no ip domain-lookup", "ip domain-lookup"}), "ip domain-lookup", "enabled"},
        {DeviceModel::router, in_config({"service password-encryption", "no service password-encryption"}),
         "service password-encryption", "disabled"},
        {DeviceModel::router,
         in_config({"ip route 10.0.0.0 255.0.0.0 10.1.1.2", "ip route 9.0.0.0 255.0.0.0 10.1.1.2",
                    "no ip route 9.0.0.0 255.0.0.0 10.1.1.2"}),
         "ip route 1", "10.0.0.0 255.0.0.0 10.1.1.2"},
        {DeviceModel::router, in_config({"access-list 10 permit any", "no access-list 10"}), "access-list 10 entry 1", nullptr},
        {DeviceModel::router, in_config({"router rip", "no auto-summary", "auto-summary"}), "router rip auto-summary", "enabled"},
        {DeviceModel::router, in_config({"line vty 0 4", "login local", "no login"}), "line vty 0 4 login", "no login"},
        {DeviceModel::router, in_config({"int s0/0", "encapsulation ppp", "no encapsulation"}), "interface serial0/0 encapsulation",
         "hdlc"},
        {DeviceModel::access_switch, in_config({"int fa0/5", "sw mo acc", "sw port-security", "no sw port-security"}),
         "interface fastethernet0/5 switchport port-security", "disabled"},
        {DeviceModel::access_switch, in_config({"int fa0/5", "description Lab PC", "no description"}),
         "interface fastethernet0/5 description", nullptr},
        {DeviceModel::access_switch, in_config({"int fa0/5", "switchport mode trunk", "no switchport mode"}),
         "interface fastethernet0/5 switchport mode", "dynamic desirable"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.back());
        const auto result = result_after(c.model, c.lines);
        const auto found = result.find(c.key);
        if (c.value == nullptr) EXPECT_EQ(found, result.end());
        else EXPECT_EQ(found == result.end() ? "(missing)" : found->second, c.value);
    }
}

TEST(ConsoleConfiguration, valuesTakeTheFormsTheResultFileDocuments) {
    const struct {
        DeviceModel model;
        std::vector<std::string> lines;
        const char* key;
        const char* value;
    } cases[] = {
        // Classful RIP networks, masked OSPF networks, keyword ports, shown list order.
        {DeviceModel::router, in_config({"router rip", "network 10.1.2.0"}), "router rip network 1", "10.0.0.0"},
        {DeviceModel::router, in_config({"router ospf 1", "network 10.1.1.5 0.0.0.3 area 0"}), "router ospf 1 network 1",
         "10.1.1.4 0.0.0.3 area 0"},
        {DeviceModel::router, in_config({"access-list 101 permit tcp any host 10.0.0.1 eq 80"}), "access-list 101 entry 1",
         "permit tcp any host 10.0.0.1 eq www"},
        {DeviceModel::router, in_config({"access-list 1 permit host 10.0.0.1"}), "access-list 1 entry 1", "permit 10.0.0.1"},
        {DeviceModel::router, in_config({"access-list 1 deny 10.1.1.7 0.0.0.255"}), "access-list 1 entry 1",
         "deny 10.1.1.0 0.0.0.255"},
        {DeviceModel::router, in_config({"ip route 192.168.30.0 255.255.255.0 s0/1", "ip route 10.0.0.0 255.0.0.0 10.1.1.2"}),
         "ip route 2", "192.168.30.0 255.255.255.0 serial0/1"},
        {DeviceModel::router, in_config({"int fa0/0.10", "encapsulation dot1Q 10 native"}),
         "interface fastethernet0/0.10 encapsulation", "dot1q 10 native"},
        {DeviceModel::router, in_config({"int s0/0", "encap ppp", "ppp auth pap chap"}), "interface serial0/0 ppp authentication",
         "pap chap"},
        {DeviceModel::router, in_config({"banner motd $", "Line one", "line two$"}), "banner motd", "Line one line two"},
        {DeviceModel::router, in_config({"line con 0", "exec-timeout 5"}), "line console 0 exec-timeout", "5 0"},
        {DeviceModel::router, in_config({"line vty 0 4", "transport input telnet ssh"}), "line vty 0 4 transport input",
         "telnet ssh"},
        {DeviceModel::router, in_config({"username Admin secret hidden"}), "username admin password", "(missing)"},
        {DeviceModel::router, in_config({"ip name-server 10.0.0.1 10.0.0.2"}), "ip name-server", "10.0.0.1 10.0.0.2"},
        {DeviceModel::access_switch, in_config({"int fa0/24", "sw trunk allowed vlan 99,1,20,10"}),
         "interface fastethernet0/24 switchport trunk allowed vlan", "1,10,20,99"},
        {DeviceModel::access_switch, in_config({"int fa0/2", "sw access vlan 30"}), "vlan 30 name", "VLAN0030"},
        {DeviceModel::access_switch, in_config({"int fa0/2", "sw port-security"}),
         "interface fastethernet0/2 switchport port-security", "disabled"},  // refused on a dynamic port
        {DeviceModel::access_switch, in_config({"spanning-tree vlan 1 priority 4097"}), "spanning-tree vlan 1 priority",
         "(missing)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.back());
        const auto result = result_after(c.model, c.lines);
        const auto found = result.find(c.key);
        EXPECT_EQ(found == result.end() ? "(missing)" : found->second, c.value);
    }
}

TEST(ConsoleConfiguration, runningConfigShowsWhatWasConfigured) {
    ConsoleSession session(DeviceModel::router);
    type_lines(session, in_config({"hostname R1", "int s0/0", "ip address 10.1.1.1 255.255.255.252", "no shutdown", "router ospf 1",
                                   "passive-interface s0/0", "service password-encryption", "line con 0", "password harbor",
                                   "login", "end"}));
    const std::string config = session.enter("show running-config");
    for (const char* expected : {"hostname R1\n", "interface Serial0/0\n ip address 10.1.1.1 255.255.255.252\n!",
                                 "router ospf 1\n passive-interface Serial0/0\n", "line con 0\n password 7 ", " login\n"})
        EXPECT_NE(config.find(expected), std::string::npos) << expected << "\n" << config;
    EXPECT_EQ(config.find("harbor"), std::string::npos) << "an encrypted password shows scrambled";
    const std::string route = session.enter("show ip route");
    EXPECT_NE(route.find("C    10.1.1.0/30 is directly connected, Serial0/0"), std::string::npos) << route;
}

TEST(ConsoleShowCommands, answerFromTheConfiguration) {
    const struct {
        DeviceModel model;
        std::vector<std::string> lines;
        const char* show;
        std::vector<const char*> expected;
    } cases[] = {
        {DeviceModel::access_switch,
         in_config(
             {"vlan 10", "name Sales", "int fa0/5", "sw mode access", "sw access vlan 10", "int fa0/1", "sw mode trunk", "end"}),
         "show vlan brief",
         {"1    default                          active    Fa0/2, Fa0/3, Fa0/4, Fa0/6,\n",
          "10   Sales                            active    Fa0/5\n", "1005 trnet-default                    act/unsup\n"}},
        {DeviceModel::access_switch,
         in_config({"int fa0/5", "sw mode access", "sw port-security", "sw port-security max 2",
                    "sw port-security violation restrict", "end"}),
         "show port-security",
         {"      Fa0/5              2            0                  0         Restrict\n"}},
        {DeviceModel::router,
         in_config({"access-list 10 deny 192.168.20.0 0.0.0.255", "access-list 10 permit any",
                    "access-list 110 permit tcp any host 10.1.1.1 eq 23", "end"}),
         "show access-lists",
         {"Standard IP access list 10\n    10 deny 192.168.20.0, wildcard bits 0.0.0.255\n    20 permit any\n",
          "Extended IP access list 110\n    10 permit tcp any host 10.1.1.1 eq telnet\n"}},
        {DeviceModel::router,
         in_config({"int fa0/1", "ip address 203.0.113.2 255.255.255.252", "no shutdown", "exit",
                    "ip route 0.0.0.0 0.0.0.0 203.0.113.1", "end"}),
         "show ip route",
         {"Gateway of last resort is 203.0.113.1 to network 0.0.0.0\n",
          "S*   0.0.0.0/0 [1/0] via 203.0.113.1\nC    203.0.113.0/30 is directly connected, FastEthernet0/1\n"}},
        {DeviceModel::router,
         in_config({"int s0/0", "description To R2", "encapsulation ppp", "shutdown", "end"}),
         "show interfaces serial0/0",
         {"Serial0/0 is administratively down, line protocol is down\n", "  Description: To R2\n", "Encapsulation PPP"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.show);
        ConsoleSession session(c.model);
        type_lines(session, c.lines);
        const std::string answer = session.enter(c.show);
        for (const char* part : c.expected) EXPECT_NE(answer.find(part), std::string::npos) << part << "\n" << answer;
    }
}

TEST(ConsoleShowCommands, startupConfigHoldsWhatWasSavedOnly) {
    ConsoleSession session(DeviceModel::router);
    type_lines(session, {"enable"});
    EXPECT_EQ(session.enter("show startup-config"), "startup-config is not present\n");
    type_lines(session, {"configure terminal", "hostname Saved", "end", "copy running-config startup-config", "configure terminal",
                         "hostname Unsaved", "end"});
    const std::string startup = session.enter("show startup-config");
    EXPECT_NE(startup.find("hostname Saved\n"), std::string::npos);
    EXPECT_EQ(startup.find("Unsaved"), std::string::npos);
}

TEST(CommandHistory, stepsBackAndForthThroughEnteredCommands) {
    CommandHistory history(2);
    for (const char* command : {"enable", "conf t", "conf t", "  ", "int fa0/0"}) history.add(command);
    EXPECT_EQ(history.older(), "int fa0/0");
    EXPECT_EQ(history.older(), "conf t");
    EXPECT_EQ(history.older(), "conf t");  // the oldest kept; "enable" fell out
    EXPECT_EQ(history.newer(), "int fa0/0");
    EXPECT_EQ(history.newer(), "");
}

}  // namespace
}  // namespace qd::gridlab
