#pragma once
// A command's shape as a short pattern text: keywords (alternatives joined
// with "|") and typed arguments in angle brackets, for example
// "ip address <ipv4> <ipv4>", "switchport mode access|trunk",
// "spanning-tree vlan <n:1-4094> priority <n:0-61440>", "description <text>".
// Argument kinds: <ipv4>, <n:LOW-HIGH>, <word>, <text> (the rest of the line),
// <ipv6>, <ipv6/len>, <if> (an interface name, glued or in two words) and
// <vlans> (a VLAN list such as 1,10-20).
#include <string>
#include <string_view>
#include <vector>

namespace qd::gridlab {

enum class ElementKind { keyword, ipv4, number, word, text, ipv6_address, ipv6_prefix, interface_name, vlan_list };

struct Element {
    ElementKind kind = ElementKind::keyword;
    std::vector<std::string> words;  // keyword alternatives
    long low = 0;
    long high = 0;
};

// Which "no" form a command has: none, the command's leading keywords alone
// ("no ip address", "no shutdown"), or the whole command ("no ip route ...").
enum class NoForm { none, keywords, full };

struct CommandPattern {
    std::vector<Element> elements;
    NoForm no_form = NoForm::keywords;
};

CommandPattern parse_pattern(std::string_view text, NoForm no_form = NoForm::keywords);

// One word of a typed line and where it starts.
struct Token {
    std::string text;
    std::size_t offset = 0;
};
std::vector<Token> split_words(std::string_view line);

}  // namespace qd::gridlab
