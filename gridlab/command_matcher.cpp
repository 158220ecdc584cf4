#include "gridlab/command_matcher.h"

#include <algorithm>
#include <set>

#include "gridlab/address_forms.h"
#include "platform/text_forms.h"

namespace qd::gridlab {

namespace {

struct PatternOutcome {
    enum class Status { complete, incomplete, invalid } status = Status::invalid;
    std::size_t bad_token = 0;
    std::size_t elements_used = 0;
    bool awaiting_interface_number = false;
    MatchedCommand match;
    std::vector<std::vector<std::string>> keyword_candidates;  // per token
};

bool is_vlan_list(std::string_view text) {
    if (text.empty() || text.size() > 200) return false;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        const auto item = text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        const auto dash = item.find('-');
        const auto low = parse_decimal(item.substr(0, dash));
        const auto high = dash == std::string_view::npos ? low : parse_decimal(item.substr(dash + 1));
        if (!low || !high || *low < 1 || *high > 4094 || *low > *high) return false;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return true;
}

bool argument_fits(const Element& element, std::string_view text) {
    switch (element.kind) {
        case ElementKind::ipv4: return parse_ipv4(text).has_value();
        case ElementKind::number: {
            const auto value = parse_decimal(text);
            return value && *value >= element.low && *value <= element.high;
        }
        case ElementKind::word: return true;
        case ElementKind::ipv6_address: return is_ipv6_address(text);
        case ElementKind::ipv6_prefix: return is_ipv6_prefix(text);
        case ElementKind::vlan_list: return is_vlan_list(text);
        default: return false;
    }
}

// The command's own words: the leading keywords that have no alternatives.
std::size_t leading_keywords(const CommandPattern& pattern) {
    std::size_t count = 0;
    while (count < pattern.elements.size() && pattern.elements[count].kind == ElementKind::keyword &&
           pattern.elements[count].words.size() == 1)
        ++count;
    return count;
}

PatternOutcome match_pattern(const CommandPattern& pattern, std::string_view line, const std::vector<Token>& tokens, bool negated,
                             bool is_switch) {
    PatternOutcome out;
    out.keyword_candidates.resize(tokens.size());
    if (negated && pattern.no_form == NoForm::none) return out;  // invalid at the first word
    std::size_t ti = 0;
    const auto& elements = pattern.elements;
    for (std::size_t ei = 0; ei < elements.size(); ++ei) {
        const bool may_stop = negated && pattern.no_form == NoForm::keywords && ei >= leading_keywords(pattern);
        if (ti == tokens.size()) {
            out.elements_used = ei;
            out.status = may_stop ? PatternOutcome::Status::complete : PatternOutcome::Status::incomplete;
            return out;
        }
        const Element& element = elements[ei];
        const Token& token = tokens[ti];
        out.match.offsets.push_back(token.offset);
        if (element.kind == ElementKind::keyword) {
            const std::string typed = to_lower_ascii(token.text);
            std::vector<std::string> candidates;
            for (const auto& word : element.words) {
                if (word == typed) {
                    candidates = {word};
                    break;
                }
                if (word.starts_with(typed)) candidates.push_back(word);
            }
            if (candidates.empty()) {
                out.bad_token = ti;
                return out;
            }
            out.match.values.push_back(candidates.front());
            out.keyword_candidates[ti] = std::move(candidates);
            ++ti;
        } else if (element.kind == ElementKind::text) {
            std::string rest(line.substr(token.offset));
            while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.pop_back();
            out.match.values.push_back(std::move(rest));
            ti = tokens.size();
        } else if (element.kind == ElementKind::interface_name) {
            auto [type_word, number] = split_type_and_number(token.text);
            std::size_t used = 1;
            if (number.empty() && interface_type_from_word(type_word, is_switch)) {
                if (ti + 1 == tokens.size()) {
                    out.elements_used = ei;
                    out.awaiting_interface_number = true;
                    out.status = PatternOutcome::Status::incomplete;
                    return out;
                }
                number = tokens[ti + 1].text;
                used = 2;
            }
            const auto name = parse_interface_name(type_word, number, is_switch);
            if (!name) {
                out.bad_token = ti + used - 1;
                return out;
            }
            out.match.values.push_back(name->result_name());
            out.match.interface = *name;
            ti += used;
        } else {
            if (!argument_fits(element, token.text)) {
                out.bad_token = ti;
                return out;
            }
            out.match.values.push_back(token.text);
            ++ti;
        }
    }
    out.elements_used = elements.size();
    if (ti < tokens.size()) {
        out.bad_token = ti;
        return out;
    }
    out.status = PatternOutcome::Status::complete;
    return out;
}

std::vector<PatternOutcome> match_all(const CommandTable& table, std::string_view line, const std::vector<Token>& tokens,
                                      const MatchPlace& place) {
    std::vector<PatternOutcome> outcomes;
    outcomes.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (place.exists && !place.exists(table[i])) {
            outcomes.emplace_back();  // invalid at the first word
            outcomes.back().keyword_candidates.resize(tokens.size());
        } else {
            outcomes.push_back(match_pattern(table[i].pattern, line, tokens, place.negated, place.is_switch));
        }
        outcomes.back().match.command = i;
    }
    return outcomes;
}

}  // namespace

Resolution resolve_command(const CommandTable& table, std::string_view line, const std::vector<Token>& tokens,
                           const MatchPlace& place) {
    Resolution resolution;
    auto outcomes = match_all(table, line, tokens, place);
    std::vector<const PatternOutcome*> viable;
    std::size_t furthest = 0;
    for (const auto& outcome : outcomes) {
        if (outcome.status == PatternOutcome::Status::invalid) furthest = std::max(furthest, outcome.bad_token);
        else viable.push_back(&outcome);
    }
    if (viable.empty()) {
        resolution.kind = Resolution::Kind::invalid;
        resolution.error_offset = furthest < tokens.size() ? tokens[furthest].offset : line.size();
        return resolution;
    }
    // A word that abbreviates two different keywords is ambiguous, unless it
    // spells one of them in full.
    for (std::size_t ti = 0; ti < tokens.size(); ++ti) {
        std::set<std::string> words;
        for (const auto* outcome : viable)
            words.insert(outcome->keyword_candidates[ti].begin(), outcome->keyword_candidates[ti].end());
        if (words.size() <= 1) continue;
        const std::string typed = to_lower_ascii(tokens[ti].text);
        if (!words.contains(typed)) {
            resolution.kind = Resolution::Kind::ambiguous;
            return resolution;
        }
        std::erase_if(viable, [&](const PatternOutcome* outcome) {
            const auto& candidates = outcome->keyword_candidates[ti];
            return !candidates.empty() && candidates != std::vector<std::string>{typed};
        });
    }
    for (const auto* outcome : viable) {
        if (outcome->status == PatternOutcome::Status::complete) {
            resolution.kind = Resolution::Kind::run;
            resolution.match = outcome->match;
            return resolution;
        }
    }
    resolution.kind = Resolution::Kind::incomplete;
    return resolution;
}

std::vector<NextWord> next_words(const CommandTable& table, std::string_view line, const std::vector<Token>& tokens,
                                 std::string_view partial, const MatchPlace& place) {
    std::vector<NextWord> words;
    const std::string typed = to_lower_ascii(partial);
    const auto push = [&](NextWord word) {
        if (!typed.empty() && (!word.keyword || !word.word.starts_with(typed))) return;
        for (const auto& known : words)
            if (known.word == word.word && known.low == word.low && known.high == word.high) return;
        words.push_back(std::move(word));
    };
    for (const auto& outcome : match_all(table, line, tokens, place)) {
        if (outcome.status == PatternOutcome::Status::invalid) continue;
        const auto& elements = table[outcome.match.command].pattern.elements;
        if (outcome.status == PatternOutcome::Status::complete && outcome.elements_used == elements.size()) {
            push({"<cr>", false});
            continue;
        }
        if (outcome.status == PatternOutcome::Status::complete) push({"<cr>", false});
        const Element& next = elements[outcome.elements_used];
        switch (next.kind) {
            case ElementKind::keyword:
                for (const auto& word : next.words) push({word, true});
                break;
            case ElementKind::interface_name:
                if (outcome.awaiting_interface_number) push({"<number>", false});
                else
                    for (const auto& word : interface_type_words(place.is_switch)) push({word, true});
                break;
            case ElementKind::ipv4: push({"A.B.C.D", false}); break;
            case ElementKind::number:
                push({"<" + std::to_string(next.low) + "-" + std::to_string(next.high) + ">", false, next.low, next.high});
                break;
            case ElementKind::word: push({"WORD", false}); break;
            case ElementKind::text: push({"LINE", false}); break;
            case ElementKind::ipv6_address: push({"X:X:X:X::X", false}); break;
            case ElementKind::ipv6_prefix: push({"X:X:X:X::X/<0-128>", false}); break;
            case ElementKind::vlan_list: push({"WORD", false}); break;
        }
    }
    // Keywords first in alphabetical order, then argument placeholders, then <cr>.
    const auto rank = [](const NextWord& w) { return w.word == "<cr>" ? 2 : (w.keyword ? 0 : 1); };
    std::stable_sort(words.begin(), words.end(), [&](const NextWord& a, const NextWord& b) {
        if (rank(a) != rank(b)) return rank(a) < rank(b);
        return rank(a) == 0 && a.word < b.word;
    });
    return words;
}

}  // namespace qd::gridlab
