#include "runner/router_console_grading.h"

#include "platform/text_forms.h"

namespace qd {

bool router_console_expectations_met(const QuestionRecord& question, const GeneralValueReader& read_general) {
    for (int slot = 1; slot <= 6; ++slot) {
        const std::string& answer = question.answers[slot];
        const auto close = answer.find(']');
        if (answer.empty() || close == std::string::npos) continue;
        // The key runs from the second character up to the "]".
        const std::string key = close >= 1 ? answer.substr(1, close - 1) : std::string();
        const std::string expected = to_lower_ascii(trim_blanks(answer.substr(close + 1)));
        const std::string found = to_lower_ascii(trim_blanks(read_general(key)));
        if (expected != found) return false;
    }
    return true;
}

}  // namespace qd
