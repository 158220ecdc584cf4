#include "bank_manifest.h"

#include <sstream>

#include "platform/text_forms.h"

namespace bankc {

std::vector<BankManifest> parse_manifest(const std::string& text, const std::string& display_path,
                                         std::vector<Diagnostic>& diagnostics) {
    std::vector<BankManifest> banks;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    auto report = [&](std::string message) { diagnostics.push_back({display_path, number, std::move(message)}); };
    auto split_bar = [](const std::string& value, std::string& left, std::string& right) {
        auto bar = value.find('|');
        if (bar == std::string::npos) return false;
        left = std::string(qd::trim_blanks(std::string_view(value).substr(0, bar)));
        right = std::string(qd::trim_blanks(std::string_view(value).substr(bar + 1)));
        return !left.empty() && !right.empty();
    };
    while (std::getline(in, raw)) {
        ++number;
        std::string_view line = qd::trim_blanks(raw);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        auto colon = line.find(':');
        if (colon == std::string_view::npos) {
            report("expected \"key: value\"");
            continue;
        }
        std::string key(qd::trim_blanks(line.substr(0, colon)));
        std::string value(qd::trim_blanks(line.substr(colon + 1)));
        if (key == "bank") {
            banks.push_back({});
            banks.back().line = number;
            banks.back().module = value;
            continue;
        }
        if (banks.empty()) {
            report("\"" + key + "\" before the first \"bank:\"");
            continue;
        }
        BankManifest& bank = banks.back();
        if (key == "title") bank.title = value;
        else if (key == "number") bank.number = value;
        else if (key == "version") bank.version = value;
        else if (key == "description") bank.description = value;
        else if (key == "chapters") bank.chapters_folder = value;
        else if (key == "scenarios") bank.scenarios_folder = value;
        else if (key == "simulators") {
            if (!split_bar(value, bank.simulator_category, bank.simulator_file)) bank.simulator_category = value;
        } else if (key == "part") {
            PartReference part;
            if (!split_bar(value, part.module, part.prefix)) report("expected \"part: MODULE | PREFIX\"");
            else bank.parts.push_back(part);
        } else {
            report("unknown key \"" + key + "\"");
        }
    }
    for (const auto& bank : banks) {
        number = bank.line;
        if (bank.module.empty() || bank.title.empty() || bank.number.empty() || bank.version.empty())
            report("bank needs a module name, title, number and version");
        if (bank.simulator_category.empty()) report("bank needs \"simulators:\"");
        if (bank.parts.empty() == bank.chapters_folder.empty())
            report("a bank has either \"chapters:\" (a part exam) or \"part:\" lines (the full exam)");
    }
    return banks;
}

}  // namespace bankc
