#include "updater/paths/relative_names.h"

#include <algorithm>
#include <vector>

namespace qd {

namespace fs = std::filesystem;

namespace {

std::vector<std::string_view> split_parts(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t end = name.find('/', start);
        parts.push_back(name.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// The rules every outside name follows; `name` already uses "/".
std::optional<std::string> common_faults(std::string_view name) {
    if (name.find('\0') != std::string_view::npos) return "holds a NUL character";
    if (name.starts_with('/')) return "is an absolute path";
    if (name.find(':') != std::string_view::npos) return "has a drive or device form";
    for (std::string_view part : split_parts(name)) {
        if (part == "..") return "climbs out of its folder";
        if (part == ".") return "has a \".\" part";
        if (part.empty()) return "has an empty part";
    }
    return std::nullopt;
}

bool has_windows_forbidden_character(std::string_view name) {
    return std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 || std::string_view("<>\"|?*").find(c) != std::string_view::npos;
    });
}

std::optional<std::string> with_name(std::string_view name, std::optional<std::string> fault) {
    if (!fault) return std::nullopt;
    return "\"" + std::string(name) + "\" " + *fault;
}

}  // namespace

std::string with_forward_slashes(std::string_view name) {
    std::string out(name);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::optional<std::string> unsafe_entry_name(std::string_view name) {
    return with_name(name, common_faults(with_forward_slashes(name)));
}

std::optional<std::string> unsafe_catalogue_folder(std::string_view folder) {
    std::string slashed = with_forward_slashes(folder);
    if (slashed.empty()) return std::nullopt;
    if (has_windows_forbidden_character(slashed)) return with_name(folder, "holds a character no file name may hold");
    if (slashed.ends_with('/') && slashed != "/") slashed.pop_back();
    return with_name(folder, common_faults(slashed));
}

std::optional<std::string> unsafe_product_name(std::string_view name) {
    std::string slashed = with_forward_slashes(name);
    if (slashed.empty()) return "the product name is empty";
    if (slashed.find('/') != std::string::npos) return with_name(name, "holds a folder part");
    if (has_windows_forbidden_character(slashed)) return with_name(name, "holds a character no file name may hold");
    return with_name(name, common_faults(slashed));
}

bool resolves_inside(const fs::path& folder, const fs::path& relative) {
    std::error_code error;
    fs::path base = fs::weakly_canonical(folder, error);
    if (error) return false;
    fs::path resolved = fs::weakly_canonical(folder / relative, error);
    if (error) return false;
    fs::path inside = resolved.lexically_relative(base);
    return !inside.empty() && inside != "." && *inside.begin() != "..";
}

}  // namespace qd
