#include "gridlab/command_pattern.h"

#include <stdexcept>

namespace qd::gridlab {

namespace {

Element argument(std::string_view inner) {
    if (inner == "ipv4") return {ElementKind::ipv4, {}, 0, 0};
    if (inner == "word") return {ElementKind::word, {}, 0, 0};
    if (inner == "text") return {ElementKind::text, {}, 0, 0};
    if (inner == "ipv6") return {ElementKind::ipv6_address, {}, 0, 0};
    if (inner == "ipv6/len") return {ElementKind::ipv6_prefix, {}, 0, 0};
    if (inner == "if") return {ElementKind::interface_name, {}, 0, 0};
    if (inner == "vlans") return {ElementKind::vlan_list, {}, 0, 0};
    if (inner.starts_with("n:")) {
        const auto dash = inner.find('-');
        if (dash == std::string_view::npos) throw std::logic_error("number range without '-'");
        return {ElementKind::number,
                {},
                std::stol(std::string(inner.substr(2, dash - 2))),
                std::stol(std::string(inner.substr(dash + 1)))};
    }
    throw std::logic_error("unknown argument kind <" + std::string(inner) + ">");
}

}  // namespace

std::vector<Token> split_words(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) tokens.push_back({std::string(line.substr(start, i - start)), start});
    }
    return tokens;
}

CommandPattern parse_pattern(std::string_view text, NoForm no_form) {
    CommandPattern pattern;
    pattern.no_form = no_form;
    for (const Token& token : split_words(text)) {
        const std::string_view word = token.text;
        if (word.starts_with('<') && word.ends_with('>')) {
            pattern.elements.push_back(argument(word.substr(1, word.size() - 2)));
            continue;
        }
        Element keyword;
        std::size_t start = 0;
        while (start <= word.size()) {
            const auto bar = word.find('|', start);
            keyword.words.emplace_back(word.substr(start, bar == std::string_view::npos ? bar : bar - start));
            if (bar == std::string_view::npos) break;
            start = bar + 1;
        }
        pattern.elements.push_back(std::move(keyword));
    }
    return pattern;
}

}  // namespace qd::gridlab
