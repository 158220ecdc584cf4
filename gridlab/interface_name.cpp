#include "gridlab/interface_name.h"

#include <cctype>

#include "gridlab/address_forms.h"
#include "platform/text_forms.h"

namespace qd::gridlab {

namespace {

struct TypeWord {
    InterfaceType type;
    const char* word;
    const char* shown;
    bool on_router;
    bool on_switch;
};

constexpr TypeWord kTypes[] = {
    {InterfaceType::fast_ethernet, "fastethernet", "FastEthernet", true, true},
    {InterfaceType::loopback, "loopback", "Loopback", true, false},
    {InterfaceType::serial, "serial", "Serial", true, false},
    {InterfaceType::vlan, "vlan", "Vlan", false, true},
};

const TypeWord& entry(InterfaceType type) {
    for (const auto& t : kTypes)
        if (t.type == type) return t;
    return kTypes[0];
}

bool slotted(InterfaceType type) { return type == InterfaceType::fast_ethernet || type == InterfaceType::serial; }

std::string number_text(const InterfaceName& name) {
    std::string text = slotted(name.type) ? std::to_string(name.slot) + "/" + std::to_string(name.port) : std::to_string(name.port);
    if (name.subinterface) text += "." + std::to_string(name.subinterface);
    return text;
}

}  // namespace

std::string InterfaceName::shown() const { return entry(type).shown + number_text(*this); }

std::string InterfaceName::result_name() const {
    const std::string word = entry(type).word;
    return type == InterfaceType::vlan ? word + " " + number_text(*this) : word + number_text(*this);
}

const std::vector<std::string>& interface_type_words(bool is_switch) {
    static const std::vector<std::string> router{"fastethernet", "loopback", "serial"};
    static const std::vector<std::string> switch_words{"fastethernet", "vlan"};
    return is_switch ? switch_words : router;
}

std::optional<InterfaceType> interface_type_from_word(std::string_view typed, bool is_switch) {
    const std::string lower = to_lower_ascii(typed);
    if (lower.empty()) return std::nullopt;
    std::optional<InterfaceType> found;
    for (const auto& t : kTypes) {
        if (!(is_switch ? t.on_switch : t.on_router)) continue;
        if (std::string_view(t.word).starts_with(lower)) {
            if (found) return std::nullopt;
            found = t.type;
        }
    }
    return found;
}

std::pair<std::string_view, std::string_view> split_type_and_number(std::string_view token) {
    std::size_t i = 0;
    while (i < token.size() && std::isalpha(static_cast<unsigned char>(token[i]))) ++i;
    return {token.substr(0, i), token.substr(i)};
}

std::optional<InterfaceName> parse_interface_name(std::string_view type_word, std::string_view number, bool is_switch) {
    const auto type = interface_type_from_word(type_word, is_switch);
    if (!type) return std::nullopt;
    InterfaceName name{*type, 0, 0, 0};
    const auto dot = number.find('.');
    if (dot != std::string_view::npos) {
        const auto sub = parse_decimal(number.substr(dot + 1));
        if (!sub || *sub < 1 || *sub > 4294967 || !slotted(*type) || is_switch) return std::nullopt;
        name.subinterface = static_cast<int>(*sub);
        number = number.substr(0, dot);
    }
    if (slotted(*type)) {
        const auto slash = number.find('/');
        if (slash == std::string_view::npos) return std::nullopt;
        const auto slot = parse_decimal(number.substr(0, slash));
        const auto port = parse_decimal(number.substr(slash + 1));
        if (!slot || !port || *slot > 9 || *port > 99) return std::nullopt;
        name.slot = static_cast<int>(*slot);
        name.port = static_cast<int>(*port);
    } else {
        const auto value = parse_decimal(number);
        const long highest = *type == InterfaceType::vlan ? 4094 : 2147483647;
        if (!value || *value > highest || (*type == InterfaceType::vlan && *value < 1)) return std::nullopt;
        name.port = static_cast<int>(*value);
    }
    return name;
}

}  // namespace qd::gridlab
