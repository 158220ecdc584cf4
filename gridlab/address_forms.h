#pragma once
// Address texts as the console reads and shows them: dotted IPv4 addresses and
// masks, wildcard masks, classful networks and IPv6 addresses and prefixes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qd::gridlab {

// "a.b.c.d" with four decimal parts of 0 to 255; anything else gives nothing.
std::optional<std::uint32_t> parse_ipv4(std::string_view text);
std::string format_ipv4(std::uint32_t address);

// A mask is a run of one bits followed by zero bits.
bool is_contiguous_mask(std::uint32_t mask);
int prefix_length(std::uint32_t mask);

// The classful network that contains the address: 10.1.2.3 gives 10.0.0.0.
std::uint32_t classful_network(std::uint32_t address);

// "X:X::X" (hexadecimal groups, at most one "::"), and the same with "/0-128".
bool is_ipv6_address(std::string_view text);
bool is_ipv6_prefix(std::string_view text);

// Unsigned decimal number without sign or blanks, at most nine digits.
std::optional<long> parse_decimal(std::string_view text);

}  // namespace qd::gridlab
