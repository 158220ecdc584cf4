#include "source_parser.h"

#include <sstream>

#include "platform/text_forms.h"

namespace bankc {
namespace {

struct Line {
    int number;
    std::string key;
    std::string value;
};

// Joins continuation lines (two leading blanks) to the key line above with "<br>".
std::vector<Line> logical_lines(const std::string& text, const std::string& file, std::vector<Diagnostic>& diagnostics) {
    std::vector<Line> lines;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (raw.rfind("  ", 0) == 0 && !qd::trim_blanks(raw).empty()) {
            if (lines.empty()) {
                diagnostics.push_back({file, number, "continuation line without a key line above it"});
                continue;
            }
            lines.back().value += "<br>" + raw.substr(2);
            continue;
        }
        std::string_view trimmed = qd::trim_blanks(raw);
        if (trimmed.empty() || trimmed.front() == '#') continue;
        auto colon = trimmed.find(':');
        if (colon == std::string_view::npos) {
            diagnostics.push_back({file, number, "expected \"key: value\""});
            continue;
        }
        lines.push_back({number, std::string(qd::trim_blanks(trimmed.substr(0, colon))),
                         std::string(qd::trim_blanks(trimmed.substr(colon + 1)))});
    }
    // A continuation may have added trailing blanks; values never keep them.
    for (auto& line : lines) line.value = std::string(qd::trim_blanks(line.value));
    return lines;
}

}  // namespace

bool parse_page_range(const std::string& value, int& first, int& last) {
    auto dash = value.find('-');
    if (dash == std::string::npos) return false;
    auto a = qd::strict_integer(value.substr(0, dash));
    auto b = qd::strict_integer(value.substr(dash + 1));
    if (!a || !b || *a < 1 || *b < *a) return false;
    first = *a;
    last = *b;
    return true;
}

SourceFile parse_source_file(const std::string& text, const std::string& display_path, std::vector<Diagnostic>& diagnostics) {
    SourceFile file;
    file.path = display_path;
    auto report = [&](int line, std::string message) { diagnostics.push_back({display_path, line, std::move(message)}); };
    SourceQuestion* current = nullptr;

    for (const Line& line : logical_lines(text, display_path, diagnostics)) {
        const std::string& key = line.key;
        const std::string& value = line.value;
        if (key == "question") {
            file.questions.push_back({});
            current = &file.questions.back();
            current->file = display_path;
            current->line = line.number;
            current->text = value;
            if (value.empty()) report(line.number, "empty question text");
            continue;
        }
        if (!current) {
            if (key == "chapter") {
                auto number = qd::strict_integer(value);
                if (!number || *number < 1) report(line.number, "chapter number must be a whole number of 1 or more");
                else file.chapter = *number;
                file.has_header = true;
            } else if (key == "title") {
                file.title = value;
                file.has_header = true;
                if (value.empty()) report(line.number, "empty chapter title");
            } else if (key == "pages") {
                file.has_header = true;
                if (!parse_page_range(value, file.first_page, file.last_page))
                    report(line.number, "pages must be a range such as 107-140");
            } else {
                report(line.number, "\"" + key + "\" before the first question");
            }
            continue;
        }
        auto set_once = [&](std::string& field, int* field_line) {
            if (!field.empty()) report(line.number, "\"" + key + "\" given twice for one question");
            field = value;
            if (field_line) *field_line = line.number;
        };
        if (key == "type") set_once(current->type, &current->type_line);
        else if (key == "right" || key == "wrong") {
            current->answers.push_back({value, key == "right", line.number});
            current->has_choice = true;
        } else if (key == "accept") {
            current->answers.push_back({value, true, line.number});
            current->has_accept = true;
        } else if (key == "expect") {
            current->answers.push_back({value, false, line.number});
            current->has_expect = true;
        } else if (key == "ref") set_once(current->ref_tag, &current->ref_line);
        else if (key == "explanation") set_once(current->explanation, &current->explanation_line);
        else if (key == "diagram") set_once(current->diagram, &current->diagram_line);
        else if (key == "exhibit") set_once(current->exhibit, &current->exhibit_line);
        else if (key == "exercise") set_once(current->exercise, nullptr);
        else if (key == "lab") set_once(current->lab, nullptr);
        else if (key == "start") set_once(current->start, nullptr);
        else if (key == "chapter") set_once(current->chapter, &current->chapter_line);
        else report(line.number, "unknown key \"" + key + "\"");
    }
    if (file.has_header && (file.chapter == 0 || file.title.empty() || file.first_page == 0))
        report(1, "a chapter file needs chapter, title and pages");
    return file;
}

}  // namespace bankc
