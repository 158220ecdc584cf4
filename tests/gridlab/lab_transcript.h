#pragma once
// The commands of a lab's own solution: the transcript in its explanation,
// each line a prompt ("Router(config)#") and what the student types after it.
#include <cctype>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bank/question_record.h"
#include "gridlab/task_text.h"
#include "platform/text_forms.h"

namespace qd::gridlab {

struct TranscriptLine {
    std::string prompt;   // "Router(config-if)#"
    std::string command;  // what the student typed after it
};

// "Router(config)#hostname R1" splits after the prompt's ">" or "#".
inline std::optional<TranscriptLine> split_prompt(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && (std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == '-' || line[i] == '_')) ++i;
    if (i == 0) return std::nullopt;
    if (i < line.size() && line[i] == '(') {
        const auto close = line.find(')', i);
        if (close == std::string::npos) return std::nullopt;
        i = close + 1;
    }
    if (i >= line.size() || (line[i] != '>' && line[i] != '#')) return std::nullopt;
    return TranscriptLine{line.substr(0, i + 1), line.substr(i + 1)};
}

inline std::vector<TranscriptLine> transcript_of(const QuestionRecord& lab) {
    std::vector<TranscriptLine> lines;
    std::istringstream text(plain_text_from_html(lab.explanation));
    std::string line;
    while (std::getline(text, line))
        if (auto split = split_prompt(std::string(trim_blanks(line))); split && !trim_blanks(split->command).empty())
            lines.push_back(*split);
    return lines;
}

inline std::vector<std::string> commands_of(const std::vector<TranscriptLine>& transcript) {
    std::vector<std::string> commands;
    for (const auto& line : transcript) commands.push_back(line.command);
    return commands;
}

}  // namespace qd::gridlab
