#include "platform/settings_store.h"

#include <cstdlib>

#include "platform/ini_file.h"

namespace qd {
namespace {

// Values are written in double quotes, which the INI reader drops again, so
// that blanks around them survive (" 1" is the stored form of a ticked box).
std::string quoted(const std::string& value) { return "\"" + value + "\""; }

constexpr std::size_t kUnlimited = 1 << 20;

// Application names become file names; keep them to a safe alphabet.
std::string file_name_for(const std::string& application) {
    std::string name;
    for (char c : application) name += (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-') ? c : '_';
    return name + ".ini";
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path IniSettingsStore::default_folder() {
    if (const char* own = std::getenv("QUIZDECK_CONFIG_DIR"); own && *own) return own;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return std::filesystem::path(xdg) / "quizdeck";
    if (const char* home = std::getenv("HOME"); home && *home) return std::filesystem::path(home) / ".config" / "quizdeck";
    return std::filesystem::current_path() / ".quizdeck";
}

std::filesystem::path IniSettingsStore::file_for(const std::string& application) const {
    return folder_ / file_name_for(application);
}

std::string IniSettingsStore::get(const std::string& application, const std::string& section, const std::string& key,
                                  const std::string& default_value) const {
    // A marker default tells "missing" apart from a stored empty text.
    static const std::string missing = "\x01missing\x01";
    std::string value = IniFile(file_for(application)).get_string(section, key, missing, kUnlimited);
    return value == missing ? default_value : value;
}

bool IniSettingsStore::put(const std::string& application, const std::string& section, const std::string& key,
                           const std::string& value) {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    return IniFile(file_for(application)).write_string(section, key, quoted(value));
}

}  // namespace qd
