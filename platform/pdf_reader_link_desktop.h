#pragma once
// Finding the desktop's own PDF reader and the command line that opens a
// document at a page: the default application for a MIME type from the
// desktop's association lists, its desktop entry's Exec line, and the page
// option the reader's own help text offers.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qd {

// The desktop's configuration and data folders, most important first.
struct DesktopFolders {
    std::vector<std::filesystem::path> config;  // $XDG_CONFIG_HOME, then $XDG_CONFIG_DIRS
    std::vector<std::filesystem::path> data;    // $XDG_DATA_HOME, then $XDG_DATA_DIRS
    std::vector<std::string> desktop_names;     // $XDG_CURRENT_DESKTOP, lower case

    // From the environment, with the usual defaults for unset variables.
    static DesktopFolders from_environment();
};

// The desktop entry file of the default application for `mime_type`, or none.
// The association lists are read in the desktop's order; an application
// whose entry is not installed is passed over.
std::optional<std::filesystem::path> default_application(const DesktopFolders& folders, const std::string& mime_type);

// The Exec value of a desktop entry's [Desktop Entry] group, or "".
std::string desktop_entry_exec(const std::string& entry_text);

// How a reader is told the page to open at.
enum class PageOption {
    none,         // the reader takes no page: the document opens at its first page
    page_index,   // --page-index=N
    page,         // --page=N
    url_fragment  // the document as a file: address with #page=N
};

// The page option for a reader: the one its --help text offers, otherwise a
// page address when its Exec line takes addresses (%u, %U).
PageOption page_option_for(const std::string& exec, const std::string& help_text);

// The program and arguments that open `document` at `page` (counted from 1):
// the Exec line split by the desktop entry quoting rules, its field codes
// replaced by the document, then the page option.
std::vector<std::string> reader_command(const std::string& exec, const std::string& document, int page, PageOption option);

// The Exec line split into program and arguments, quotes and escapes removed.
std::vector<std::string> split_exec(const std::string& exec);

}  // namespace qd
