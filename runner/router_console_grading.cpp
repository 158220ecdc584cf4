#include "runner/router_console_grading.h"

#include "platform/text_forms.h"

namespace qd {

namespace {

struct Expectation {
    std::string key;
    std::string value;
};

// The answer slots "[key]value" of a lab; slots without "]" are none.
std::vector<Expectation> expectations_of(const QuestionRecord& question) {
    std::vector<Expectation> expectations;
    for (std::size_t slot = 1; slot <= 6; ++slot) {
        const std::string& answer = question.answers[slot];
        const auto close = answer.find(']');
        if (answer.empty() || close == std::string::npos) continue;
        // The key runs from the second character up to the "]".
        expectations.push_back({close >= 1 ? answer.substr(1, close - 1) : std::string(), answer.substr(close + 1)});
    }
    return expectations;
}

bool same_value(std::string_view expected, std::string_view found) {
    return to_lower_ascii(trim_blanks(expected)) == to_lower_ascii(trim_blanks(found));
}

}  // namespace

std::vector<LabFinding> router_console_findings(const QuestionRecord& question, const GeneralEntryReader& read_entry) {
    std::vector<LabFinding> findings;
    for (const Expectation& expectation : expectations_of(question)) {
        LabFinding finding{expectation.key, std::string(trim_blanks(expectation.value)), {}, false, false};
        if (const std::optional<std::string> found = read_entry(expectation.key)) {
            finding.present = true;
            finding.found = std::string(trim_blanks(*found));
            finding.right = same_value(expectation.value, *found);
        }
        findings.push_back(std::move(finding));
    }
    return findings;
}

bool router_console_expectations_met(const QuestionRecord& question, const GeneralValueReader& read_general) {
    for (const Expectation& expectation : expectations_of(question))
        if (!same_value(expectation.value, read_general(expectation.key))) return false;
    return true;
}

}  // namespace qd
