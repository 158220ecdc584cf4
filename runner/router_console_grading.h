#pragma once
// Grading of a router-console question from the result file the console
// leaves. Each answer slot "[key]value" is one expectation; the question is
// right when every expectation's value, trimmed and lower-cased, equals the
// result file's value of that key in section "general", trimmed and
// lower-cased. Slots without "]" are not expectations.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bank/question_record.h"
#include "state/quiz_state.h"

namespace qd {

// Reads one key of the result file's section "general"; a missing key reads as
// a text that no expectation holds.
using GeneralValueReader = std::function<std::string(const std::string& key)>;

bool router_console_expectations_met(const QuestionRecord& question, const GeneralValueReader& read_general);

// Reads one key of the result file's section "general"; none when the file
// does not hold the key.
using GeneralEntryReader = std::function<std::optional<std::string>(const std::string& key)>;

// Each expectation with the value the file holds for it, for the student to see.
std::vector<LabFinding> router_console_findings(const QuestionRecord& question, const GeneralEntryReader& read_entry);

}  // namespace qd
