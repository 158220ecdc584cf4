#pragma once
// Matches a typed line against a mode's commands the way the console does:
// unambiguous abbreviations of keywords, arguments checked by kind, and the
// three failures a student sees: ambiguous, incomplete and invalid input (at
// a position). Also lists the words that may come next (for "?" help) and
// completes a partial keyword (for Tab).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gridlab/command_table.h"
#include "gridlab/interface_name.h"

namespace qd::gridlab {

struct MatchedCommand {
    std::size_t command = 0;           // index in the table
    std::vector<std::string> values;   // per element: the full keyword or the typed argument
    std::vector<std::size_t> offsets;  // per element: where it starts in the line
    std::optional<InterfaceName> interface;
};

struct Resolution {
    enum class Kind { run, ambiguous, incomplete, invalid } kind = Kind::invalid;
    MatchedCommand match;
    std::size_t error_offset = 0;  // invalid: where the marker points
};

// Where the line is typed: the "no" before it, the device, and which commands exist there.
struct MatchPlace {
    bool negated = false;
    bool is_switch = false;
    std::function<bool(const Command&)> exists;
};

// `tokens` are the words after a leading "no" when `place.negated`.
Resolution resolve_command(const CommandTable& table, std::string_view line, const std::vector<Token>& tokens,
                           const MatchPlace& place);

struct NextWord {
    std::string word;  // a keyword, or a placeholder such as "A.B.C.D" or "<cr>"
    bool keyword = false;
    long low = 0, high = 0;  // a number's range
};

// The words that may follow `tokens`; with a `partial` word, only the keywords it begins.
std::vector<NextWord> next_words(const CommandTable& table, std::string_view line, const std::vector<Token>& tokens,
                                 std::string_view partial, const MatchPlace& place);

}  // namespace qd::gridlab
