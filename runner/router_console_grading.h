#pragma once
// Grading of a router-console question from the result file the console
// leaves. Each answer slot "[key]value" is one expectation; the question is
// right when every expectation's value, trimmed and lower-cased, equals the
// result file's value of that key in section "general", trimmed and
// lower-cased. Slots without "]" are not expectations.
#include <functional>
#include <string>

#include "bank/question_record.h"

namespace qd {

// Reads one key of the result file's section "general"; a missing key reads as
// a text that no expectation holds.
using GeneralValueReader = std::function<std::string(const std::string& key)>;

bool router_console_expectations_met(const QuestionRecord& question, const GeneralValueReader& read_general);

}  // namespace qd
