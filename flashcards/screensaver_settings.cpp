#include "flashcards/screensaver_settings.h"

#include <sstream>
#include <vector>

#include "platform/replace_file.h"
#include "platform/text_file.h"

namespace qd {

namespace {

constexpr const char* kModuleName = "\"Drill screen\"";
// The screen saver's settings are a few kilobytes; a larger file is not one to rewrite.
constexpr std::size_t kLargestSettingsFile = 4 << 20;

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool starts_with_key(const std::string& line, const std::string& key) {
    const auto first = line.find_first_not_of(" \t");
    return first != std::string::npos && line.compare(first, key.size(), key) == 0;
}

bool continues(const std::string& line) { return !line.empty() && line.back() == '\\'; }

// The entries of the programs value: the text between "programs:" and the end
// of its continued lines, split at the literal "\n" that ends each entry.
std::vector<std::string> program_entries(const std::vector<std::string>& value_lines) {
    std::string value;
    for (std::string line : value_lines) {
        if (continues(line)) line.pop_back();
        value += line;
    }
    std::vector<std::string> entries;
    for (std::size_t start = 0;;) {
        const auto end = value.find("\\n", start);
        std::string entry = value.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (entry.find_first_not_of(" \t") != std::string::npos) entries.push_back(entry);
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return entries;
}

bool is_drill_screen_entry(const std::string& entry, const std::string& module_path) {
    return entry.find(module_path) != std::string::npos;
}

std::string enabled(std::string entry) {
    const auto first = entry.find_first_not_of(" \t");
    if (first != std::string::npos && entry[first] == '-') entry[first] = ' ';
    return entry;
}

}  // namespace

std::string with_drill_screen_module(const std::string& settings_text, const std::string& module_path) {
    const std::vector<std::string> lines = split_lines(settings_text);
    std::vector<std::string> out;
    std::vector<std::string> entries;
    std::size_t programs_at = std::string::npos;
    std::size_t mode_at = std::string::npos;
    std::size_t selected_at = std::string::npos;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (starts_with_key(lines[i], "programs:")) {
            // The blanks between the key and the first entry belong to the layout, not the entry.
            std::string first = lines[i].substr(lines[i].find("programs:") + 9);
            first.erase(0, first.find_first_not_of(" \t"));
            std::vector<std::string> value_lines{first};
            while (continues(value_lines.back()) && i + 1 < lines.size()) value_lines.push_back(lines[++i]);
            entries = program_entries(value_lines);
            programs_at = out.size();
            out.emplace_back();  // the list is written back below
        } else {
            if (starts_with_key(lines[i], "mode:")) mode_at = out.size();
            if (starts_with_key(lines[i], "selected:")) selected_at = out.size();
            out.push_back(lines[i]);
        }
    }
    std::size_t selected = entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (is_drill_screen_entry(entries[i], module_path)) {
            entries[i] = enabled(entries[i]);
            selected = i;
            break;
        }
    if (selected == entries.size()) entries.push_back(std::string("  ") + kModuleName + "  " + module_path + " ");

    std::string programs = "programs:\t\t\t\t\t\t\t      \\\n";
    for (const auto& entry : entries) programs += entry + "\\n\\\n";
    programs += "\t\t\t\t\t\t\t\t      ";
    // Each line replaced where it stands, or added at the end.
    const auto put = [&out](std::size_t at, std::string line) {
        if (at == std::string::npos) out.push_back(std::move(line));
        else out[at] = std::move(line);
    };
    put(programs_at, programs);
    put(mode_at, "mode:\t\tone");
    put(selected_at, "selected:\t" + std::to_string(selected));
    std::string text;
    for (const auto& line : out) text += line + "\n";
    return text;
}

std::optional<std::string> register_drill_screen_module(const std::filesystem::path& settings_file, const std::string& module_path) {
    std::string current;
    std::error_code error;
    if (std::filesystem::exists(settings_file, error)) {
        auto bytes = read_regular_file(settings_file, kLargestSettingsFile);
        if (!bytes) return "cannot read " + settings_file.string();
        if (bytes->cut) return settings_file.string() + " is too large to be a settings file; it is left as it is";
        current = std::move(bytes->bytes);
    } else if (error) {
        return "cannot look for " + settings_file.string() + ": " + error.message();  // never a crash, nothing replaced
    }
    return replace_file(settings_file, with_drill_screen_module(current, module_path), std::nullopt, true);
}

}  // namespace qd
