#pragma once
// Interface names: what the student types ("fa0/1", "fastethernet 0/1",
// "s0/0.102", "int vlan 1") and the two forms the console writes, the shown
// name ("FastEthernet0/1", "Vlan1") and the result-file name
// ("fastethernet0/1", "vlan 1").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qd::gridlab {

enum class InterfaceType { loopback, fast_ethernet, serial, vlan };

struct InterfaceName {
    InterfaceType type = InterfaceType::fast_ethernet;
    int slot = 0;          // the number before "/" (0 for loopback and vlan)
    int port = 0;          // the port, or the loopback or VLAN number
    int subinterface = 0;  // 0 for a main interface

    std::string shown() const;        // FastEthernet0/0.10
    std::string result_name() const;  // fastethernet0/0.10
    bool is_subinterface() const { return subinterface != 0; }
    InterfaceName parent() const { return {type, slot, port, 0}; }
    auto operator<=>(const InterfaceName&) const = default;
};

// The type words a device knows, in the order help lists them.
const std::vector<std::string>& interface_type_words(bool is_switch);

// The type word that `typed` abbreviates uniquely, if any.
std::optional<InterfaceType> interface_type_from_word(std::string_view typed, bool is_switch);

// A type word with the number glued on ("fa0/1") or the number alone after a
// separate type word. Checks the number's shape only, not that the device has it.
std::optional<InterfaceName> parse_interface_name(std::string_view type_word, std::string_view number, bool is_switch);

// Splits "fa0/1" into "fa" and "0/1"; the number part is empty when none is glued on.
std::pair<std::string_view, std::string_view> split_type_and_number(std::string_view token);

}  // namespace qd::gridlab
