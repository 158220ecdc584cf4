#include "platform/ini_file.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "platform/replace_file.h"
#include "platform/text_file.h"
#include "platform/text_forms.h"

namespace qd {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNewLine = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// One line of the file with its own line end ("\r\n", "\n" or "" at the end).
struct Line {
    std::string text;
    std::string ending;
};

struct Document {
    std::string byte_order_mark;
    std::vector<Line> lines;
};

// The whole file; nothing when it is missing, is not a plain file or is
// larger than any INI file of the programs (it is then treated as damaged).
std::optional<std::string> read_whole_file(const fs::path& file) {
    auto text = read_regular_file(file, kLargestIniFile);
    if (!text || text->cut) return std::nullopt;
    return std::move(text->bytes);
}

Document split_lines(std::string_view bytes) {
    Document document;
    if (bytes.starts_with(kByteOrderMark)) {
        document.byte_order_mark = kByteOrderMark;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    while (!bytes.empty()) {
        std::size_t end = bytes.find('\n');
        Line line;
        if (end == std::string_view::npos) {
            line.text = bytes;
            bytes = {};
        } else {
            line.text = bytes.substr(0, end);
            line.ending = "\n";
            bytes.remove_prefix(end + 1);
        }
        if (!line.text.empty() && line.text.back() == '\r') {
            line.text.pop_back();
            line.ending.insert(0, "\r");
        }
        document.lines.push_back(std::move(line));
    }
    return document;
}

std::string join_lines(const Document& document) {
    std::string bytes = document.byte_order_mark;
    for (const Line& line : document.lines) bytes += line.text + line.ending;
    return bytes;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> section_header(std::string_view line) {
    line = trim_blanks(line);
    if (!line.starts_with('[')) return std::nullopt;
    std::size_t close = line.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim_blanks(line.substr(1, close - 1));
}

bool is_comment(std::string_view line) { return trim_blanks(line).starts_with(';'); }

// The key of a "key = value" line, or nothing for comments and lines without '='.
std::optional<std::string_view> key_of(std::string_view line) {
    if (is_comment(line)) return std::nullopt;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return trim_blanks(line.substr(0, equals));
}

std::string_view value_of(std::string_view line) { return trim_blanks(line.substr(line.find('=') + 1)); }

// Where a section lies in the file: its header line and one past its last line.
struct SectionSpan {
    std::size_t header;
    std::size_t end;
};

std::optional<SectionSpan> find_section(const Document& document, std::string_view section) {
    const auto& lines = document.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto name = section_header(lines[i].text);
        if (!name || !equals_ignoring_case(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !section_header(lines[end].text)) ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> find_key(const Document& document, const SectionSpan& span, std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        auto name = key_of(document.lines[i].text);
        if (name && equals_ignoring_case(*name, key)) return i;
    }
    return std::nullopt;
}

// At most `limit` bytes, never ending inside a UTF-8 sequence.
std::string cut_to(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return std::string(text);
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return std::string(text.substr(0, end));
}

bool has_line_break(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Names and values that would read back differently, or would add lines.
bool can_be_written(std::string_view section, std::string_view key, std::string_view value) {
    section = trim_blanks(section);
    key = trim_blanks(key);
    if (has_line_break(section) || has_line_break(key) || has_line_break(value)) return false;
    if (section.find(']') != std::string_view::npos) return false;
    if (key.empty() || key.find('=') != std::string_view::npos || key.starts_with(';') || key.starts_with('[')) return false;
    return true;
}

// The index after which a new key belongs: the last non-blank line of the section.
std::size_t insertion_point(const Document& document, const SectionSpan& span) {
    std::size_t last = span.header;
    for (std::size_t i = span.header + 1; i < span.end; ++i)
        if (!trim_blanks(document.lines[i].text).empty()) last = i;
    return last + 1;
}

void insert_line(Document& document, std::size_t at, std::string text) {
    if (at > 0 && document.lines[at - 1].ending.empty()) document.lines[at - 1].ending = kNewLine;
    document.lines.insert(document.lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), std::string(kNewLine)});
}

void set_value(Document& document, std::string_view section, std::string_view key, std::string_view value) {
    section = trim_blanks(section);
    key = trim_blanks(key);
    auto span = find_section(document, section);
    if (!span) {
        insert_line(document, document.lines.size(), "[" + std::string(section) + "]");
        insert_line(document, document.lines.size(), std::string(key) + "=" + std::string(value));
        return;
    }
    if (auto at = find_key(document, *span, key)) {
        // Keep the key as the file spells it, and the blanks after '='.
        std::string& text = document.lines[*at].text;
        std::size_t value_start = text.find('=') + 1;
        while (value_start < text.size() && (text[value_start] == ' ' || text[value_start] == '\t')) ++value_start;
        text = text.substr(0, value_start) + std::string(value);
        return;
    }
    insert_line(document, insertion_point(document, *span), std::string(key) + "=" + std::string(value));
}


}  // namespace

IniFile::IniFile(fs::path file) : file_(std::move(file)) {}

bool IniFile::exists() const {
    std::error_code error;
    return fs::is_regular_file(file_, error);
}

IniContents IniFile::read() const {
    auto bytes = read_whole_file(file_);
    return bytes ? IniContents(*bytes) : IniContents();
}

std::optional<std::string> IniFile::too_large_notice() const {
    std::error_code error;
    if (!fs::is_regular_file(file_, error) || fs::file_size(file_, error) <= kLargestIniFile || error) return std::nullopt;
    return file_.string() + " is larger than " + std::to_string(kLargestIniFile >> 20) +
           " MB: it is treated as damaged, read as empty and kept as it is";
}

std::string IniFile::get_string(std::string_view section, std::string_view key, std::string_view default_value,
                                std::size_t buffer_size) const {
    return read().get_string(section, key, default_value, buffer_size);
}

int IniFile::get_int(std::string_view section, std::string_view key, int default_value) const {
    return read().get_int(section, key, default_value);
}

IniContents::IniContents(std::string_view bytes) {
    Document document = split_lines(bytes);
    std::unordered_map<std::string, std::string>* current = nullptr;
    for (const Line& line : document.lines) {
        if (auto name = section_header(line.text)) {
            // A later section of the same name is never searched.
            auto [at, added] = sections_.try_emplace(to_lower_ascii(*name));
            current = added ? &at->second : nullptr;
            continue;
        }
        if (!current) continue;
        if (auto key = key_of(line.text)) current->try_emplace(to_lower_ascii(*key), value_of(line.text));
    }
}

std::optional<std::string_view> IniContents::find(std::string_view section, std::string_view key) const {
    auto at = sections_.find(to_lower_ascii(trim_blanks(section)));
    if (at == sections_.end()) return std::nullopt;
    auto value = at->second.find(to_lower_ascii(trim_blanks(key)));
    if (value == at->second.end()) return std::nullopt;
    return value->second;
}

std::string IniContents::get_string(std::string_view section, std::string_view key, std::string_view default_value,
                                    std::size_t buffer_size) const {
    if (buffer_size == 0) return {};
    auto value = find(section, key);
    if (!value) return cut_to(default_value, buffer_size - 1);
    // A value in a matching pair of quotes is read without them, so values can keep outer blanks.
    std::string_view text = *value;
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return cut_to(text, buffer_size - 1);
}

int IniContents::get_int(std::string_view section, std::string_view key, int default_value) const {
    auto value = find(section, key);
    if (!value) return default_value;
    std::string_view text = trim_blanks(*value);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Leading digits only; a number beyond the int range stops at the range's end.
    long long magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        magnitude = std::min<long long>(magnitude * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    long long result = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(result, INT_MIN, INT_MAX));
}

bool IniFile::write_string(std::string_view section, std::string_view key, std::string_view value) const {
    // A file too large (or otherwise unreadable) is kept as it is rather than rewritten from nothing.
    if (!can_be_written(section, key, value)) return false;
    std::error_code error;
    Document document;
    if (fs::exists(file_, error)) {
        auto bytes = read_whole_file(file_);
        if (!bytes) return false;
        document = split_lines(*bytes);
    } else if (error) {
        return false;
    }
    set_value(document, section, key, trim_blanks(value));
    // A link in the file's place is replaced by a plain file; what it named is left alone.
    return !replace_file(file_, join_lines(document)).has_value();
}

}  // namespace qd
