#include "platform/pdf_reader_link_desktop.h"

#include <cstdlib>

#include "platform/file_url.h"
#include "platform/text_file.h"
#include "platform/text_forms.h"

namespace qd {
namespace fs = std::filesystem;
namespace {

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    while (!text.empty()) {
        auto at = text.find(separator);
        std::string piece(trim_blanks(text.substr(0, at)));
        if (!piece.empty()) pieces.push_back(piece);
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + 1);
    }
    return pieces;
}

// The value of `key` in `group` of a desktop-style key file, or none.
std::optional<std::string> key_file_value(const std::string& text, const std::string& group, const std::string& key) {
    std::istringstream in(text);
    std::string line;
    bool in_group = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string_view trimmed = trim_blanks(line);
        if (trimmed.empty() || trimmed.front() == '#') continue;
        if (trimmed.front() == '[') {
            in_group = trimmed == "[" + group + "]";
            continue;
        }
        auto equals = trimmed.find('=');
        if (in_group && equals != std::string_view::npos && trim_blanks(trimmed.substr(0, equals)) == key)
            return std::string(trim_blanks(trimmed.substr(equals + 1)));
    }
    return std::nullopt;
}

std::vector<fs::path> split_paths(const char* value, std::vector<fs::path> fallback) {
    if (!value || !*value) return fallback;
    std::vector<fs::path> paths;
    for (const auto& piece : split(value, ':')) paths.emplace_back(piece);
    return paths;
}

// A desktop file ID names a file in an applications folder; dashes in the ID
// may stand for sub-folders.
std::optional<fs::path> installed_entry(const DesktopFolders& folders, const std::string& id) {
    std::error_code error;
    for (const auto& data : folders.data) {
        fs::path direct = data / "applications" / id;
        if (fs::is_regular_file(direct, error)) return direct;
        std::string nested = id;
        for (auto dash = nested.find('-'); dash != std::string::npos; dash = nested.find('-', dash + 1)) {
            nested[dash] = '/';
            if (fs::is_regular_file(data / "applications" / nested, error)) return data / "applications" / nested;
        }
    }
    return std::nullopt;
}

}  // namespace

DesktopFolders DesktopFolders::from_environment() {
    DesktopFolders folders;
    const char* home = std::getenv("HOME");
    fs::path home_path = home ? home : "/";
    auto config_home = split_paths(std::getenv("XDG_CONFIG_HOME"), {home_path / ".config"});
    auto config_dirs = split_paths(std::getenv("XDG_CONFIG_DIRS"), {"/etc/xdg"});
    auto data_home = split_paths(std::getenv("XDG_DATA_HOME"), {home_path / ".local/share"});
    auto data_dirs = split_paths(std::getenv("XDG_DATA_DIRS"), {"/usr/local/share", "/usr/share"});
    folders.config = config_home;
    folders.config.insert(folders.config.end(), config_dirs.begin(), config_dirs.end());
    folders.data = data_home;
    folders.data.insert(folders.data.end(), data_dirs.begin(), data_dirs.end());
    if (const char* desktops = std::getenv("XDG_CURRENT_DESKTOP"))
        for (const auto& name : split(desktops, ':')) folders.desktop_names.push_back(to_lower_ascii(name));
    return folders;
}

std::optional<fs::path> default_application(const DesktopFolders& folders, const std::string& mime_type) {
    // The association lists in the desktop's order of importance.
    std::vector<fs::path> lists;
    for (const auto& config : folders.config) {
        for (const auto& desktop : folders.desktop_names) lists.push_back(config / (desktop + "-mimeapps.list"));
        lists.push_back(config / "mimeapps.list");
    }
    for (const auto& data : folders.data) {
        for (const auto& desktop : folders.desktop_names) lists.push_back(data / "applications" / (desktop + "-mimeapps.list"));
        lists.push_back(data / "applications" / "mimeapps.list");
    }
    auto first_installed = [&](const std::optional<std::string>& value) -> std::optional<fs::path> {
        if (value)
            for (const auto& id : split(*value, ';'))
                if (auto entry = installed_entry(folders, id)) return entry;
        return std::nullopt;
    };
    for (const char* group : {"Default Applications", "Added Associations"})
        for (const auto& list : lists)
            if (auto entry = first_installed(key_file_value(read_text_file(list), group, mime_type))) return entry;
    // Without a choice, any application that says it opens the type.
    for (const auto& data : folders.data)
        if (auto entry = first_installed(
                key_file_value(read_text_file(data / "applications" / "mimeinfo.cache"), "MIME Cache", mime_type)))
            return entry;
    return std::nullopt;
}

std::string desktop_entry_exec(const std::string& entry_text) {
    return key_file_value(entry_text, "Desktop Entry", "Exec").value_or("");
}

PageOption page_option_for(const std::string& exec, const std::string& help_text) {
    if (help_text.find("--page-index") != std::string::npos) return PageOption::page_index;
    for (std::size_t at = help_text.find("--page"); at != std::string::npos; at = help_text.find("--page", at + 1)) {
        char next = at + 6 < help_text.size() ? help_text[at + 6] : ' ';
        if (next == '=' || next == ' ' || next == '\t' || next == '\n' || next == ',' || next == '<' || next == '[')
            return PageOption::page;
    }
    for (const auto& word : split_exec(exec))
        if (word == "%u" || word == "%U") return PageOption::url_fragment;
    return PageOption::none;
}

std::vector<std::string> split_exec(const std::string& exec) {
    std::vector<std::string> words;
    std::string word;
    bool in_word = false, quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        char c = exec[i];
        if (quoted) {
            if (c == '\\' && i + 1 < exec.size()) word += exec[++i];
            else if (c == '"') quoted = false;
            else word += c;
        } else if (c == '"') {
            quoted = in_word = true;
        } else if (c == ' ' || c == '\t') {
            if (in_word) words.push_back(word);
            word.clear();
            in_word = false;
        } else {
            word += c;
            in_word = true;
        }
    }
    if (in_word) words.push_back(word);
    return words;
}

std::vector<std::string> reader_command(const std::string& exec, const std::string& document, int page, PageOption option) {
    const std::string number = std::to_string(page);
    const std::string address = file_url(document) + "#page=" + number;
    std::vector<std::string> command;
    bool placed = false;
    for (const auto& word : split_exec(exec)) {
        // Field codes: %f %F %u %U take the document; the others say nothing we have.
        if (word == "%f" || word == "%F" || word == "%u" || word == "%U") {
            command.push_back(option == PageOption::url_fragment ? address : document);
            placed = true;
            continue;
        }
        if (word == "%i" || word == "%c" || word == "%k") continue;
        std::string expanded;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (word[i] == '%' && i + 1 < word.size()) {
                if (word[i + 1] == '%') expanded += '%';
                ++i;
                continue;
            }
            expanded += word[i];
        }
        command.push_back(expanded);
    }
    if (command.empty()) return command;
    if (option == PageOption::page_index) command.insert(command.begin() + 1, "--page-index=" + number);
    if (option == PageOption::page) command.insert(command.begin() + 1, "--page=" + number);
    if (!placed) command.push_back(option == PageOption::url_fragment ? address : document);
    return command;
}

}  // namespace qd
