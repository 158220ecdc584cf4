#include "gridlab/config_values.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "gridlab/address_forms.h"
#include "gridlab/command_pattern.h"
#include "platform/text_forms.h"

namespace qd::gridlab {

CheckedAddress check_interface_address(const std::string& address, const std::string& mask) {
    const auto a = parse_ipv4(address);
    const auto m = parse_ipv4(mask);
    if (!a || !m) return {"", "Invalid address"};
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", *m);
    if (!is_contiguous_mask(*m) || *m == 0) return {"", std::string("Bad mask ") + hex + " for address " + address};
    const std::uint32_t host = *a & ~*m;
    if (prefix_length(*m) < 31 && (host == 0 || host == ~*m))
        return {"", std::string("Bad mask /") + std::to_string(prefix_length(*m)) + " for address " + address};
    return {address + " " + mask, ""};
}

std::optional<std::string> access_list_address(const std::vector<std::string>& words, bool standard) {
    if (words.size() == 1 && to_lower_ascii(words[0]) == "any") return "any";
    if (words.size() == 2 && to_lower_ascii(words[0]) == "host") {
        if (!parse_ipv4(words[1])) return std::nullopt;
        return standard ? words[1] : "host " + words[1];
    }
    const auto address = words.empty() ? std::nullopt : parse_ipv4(words[0]);
    if (!address) return std::nullopt;
    if (words.size() == 1) return standard ? std::optional(words[0]) : std::nullopt;
    if (words.size() != 2) return std::nullopt;
    const auto wildcard = parse_ipv4(words[1]);
    if (!wildcard) return std::nullopt;
    if (*wildcard == 0xFFFFFFFFu) return "any";
    const std::string shown = format_ipv4(*address & ~*wildcard);
    if (*wildcard == 0) return standard ? shown : "host " + shown;
    return shown + " " + words[1];
}

std::optional<std::string> port_keyword(const std::string& typed) {
    static const std::pair<long, const char*> kPorts[] = {{20, "ftp-data"}, {21, "ftp"},    {23, "telnet"},
                                                          {25, "smtp"},     {53, "domain"}, {69, "tftp"},
                                                          {80, "www"},      {110, "pop3"},  {161, "snmp"}};
    const std::string lower = to_lower_ascii(typed);
    if (const auto number = parse_decimal(lower)) {
        if (*number > 65535) return std::nullopt;
        for (const auto& [port, name] : kPorts)
            if (port == *number) return std::string(name);
        return lower;
    }
    for (const auto& [port, name] : kPorts)
        if (lower == name) return lower;
    return std::nullopt;
}

bool is_valid_hostname(const std::string& name) {
    if (name.empty() || name.size() > 63 || !std::isalpha(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'; });
}

void insert_ascending(std::vector<std::string>& list, const std::string& entry, bool remove) {
    if (remove) return std::erase(list, entry), void();
    if (std::find(list.begin(), list.end(), entry) != list.end()) return;
    const auto key = [](const std::string& text) {
        std::vector<std::uint32_t> numbers;
        for (const auto& token : split_words(text)) numbers.push_back(parse_ipv4(token.text).value_or(0));
        return numbers;
    };
    const auto entry_key = key(entry);
    const auto place = std::find_if(list.begin(), list.end(), [&](const std::string& known) { return entry_key < key(known); });
    list.insert(place, entry);
}

}  // namespace qd::gridlab
