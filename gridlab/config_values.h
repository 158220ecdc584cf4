#pragma once
// Checks and normal forms of the values that configuration commands take.
#include <optional>
#include <string>
#include <vector>

namespace qd::gridlab {

// "address mask" of an interface, or the device's complaint about it.
struct CheckedAddress {
    std::string value;
    std::string problem;  // empty when the address is usable
};
CheckedAddress check_interface_address(const std::string& address, const std::string& mask);

// An access-list address test ("any", "host A", "A W" or "A") in the form the
// list shows: the address masked by the wildcard, "host A" / "A" for one
// address, "any" for all. `standard` chooses the standard-list forms.
std::optional<std::string> access_list_address(const std::vector<std::string>& words, bool standard);

// A port given by number or keyword, in the form the device shows ("80" gives "www").
std::optional<std::string> port_keyword(const std::string& typed);

// Hostnames: a letter first, then letters, digits and hyphens, at most 63 characters.
bool is_valid_hostname(const std::string& name);

// Inserts keeping the list ascending by the numeric value of its leading
// addresses, or with `remove` takes the entry out.
void insert_ascending(std::vector<std::string>& list, const std::string& entry, bool remove = false);

}  // namespace qd::gridlab
