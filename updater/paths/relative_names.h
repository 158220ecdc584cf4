#pragma once
// Names that arrive from outside (package entries, catalogue names and folders)
// are untrusted: they are checked here before they become paths, so that
// nothing is ever written outside the folder it is meant for.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qd {

// The name with every "\" turned into "/".
std::string with_forward_slashes(std::string_view name);

// Why a package entry name cannot name a file below the target folder, or
// nothing when it can. Folder parts may be separated by "\" or "/". Refused:
// NUL characters, absolute paths, drive and device forms (any ':'), "." and
// ".." parts, and empty parts (which also means a name may not end in a
// separator).
std::optional<std::string> unsafe_entry_name(std::string_view name);

// Why a catalogue folder (relative to the program folder, "" for the program
// folder itself, a trailing separator allowed) cannot be used, or nothing.
// Besides the rules for entry names, characters that no Windows file name
// holds (< > " | ? * and control characters) are refused, so a catalogue
// that would fail on the desktop the product comes from fails here too.
std::optional<std::string> unsafe_catalogue_folder(std::string_view folder);

// Why a catalogue product name cannot be the base name of the product's
// files, or nothing: a single, non-empty part under the catalogue rules.
std::optional<std::string> unsafe_product_name(std::string_view name);

// True when folder/relative stays inside folder after every symbolic link
// that already exists along it has been followed.
bool resolves_inside(const std::filesystem::path& folder, const std::filesystem::path& relative);

}  // namespace qd
