#include "platform/settings_store.h"

#include <sys/stat.h>

#include <cstdlib>
#include <ctime>

#include "platform/file_lock.h"

namespace qd {
namespace {

// Values are written in double quotes, which the INI reader drops again, so
// that blanks around them survive (" 1" is the stored form of a ticked box).
std::string quoted(const std::string& value) { return "\"" + value + "\""; }

constexpr std::size_t kUnlimited = 1 << 20;

// Device, inode, size and change times: a file replaced or rewritten by
// anyone differs in one of them. The clock that stamps files is coarse, so a
// file changed in the last seconds could change again unseen under the same
// stamp: it has no identity yet, as has a file that is not there.
std::string identity_of(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return {};
    if (std::time(nullptr) - status.st_ctim.tv_sec < 3) return {};
    return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino) + ":" + std::to_string(status.st_size) + ":" +
           std::to_string(status.st_mtim.tv_sec) + "." + std::to_string(status.st_mtim.tv_nsec) + ":" +
           std::to_string(status.st_ctim.tv_sec) + "." + std::to_string(status.st_ctim.tv_nsec);
}

// Application names become file names; keep them to a safe alphabet.
std::string file_name_for(const std::string& application) {
    std::string name;
    for (char c : application) name += (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-') ? c : '_';
    return name + ".ini";
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::filesystem::path folder, FileNotice notice)
    : folder_(std::move(folder)), notice_(std::move(notice)) {}

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
    std::string value = contents_of(application).get_string(section, key, missing, kUnlimited);
    return value == missing ? default_value : value;
}

const IniContents& IniSettingsStore::contents_of(const std::string& application) const {
    const std::filesystem::path file = file_for(application);
    Parsed& parsed = parsed_[application];
    std::string identity = identity_of(file);
    if (identity.empty() || identity != parsed.identity) {
        const IniFile ini(file);
        parsed.contents = ini.read();
        if (notice_ && !told_too_large_.contains(application))
            if (auto too_large = ini.too_large_notice()) {
                told_too_large_.insert(application);
                notice_(*too_large);
            }
        // A file that changed while it was read is read afresh next time.
        parsed.identity = identity_of(file) == identity ? identity : std::string();
    }
    return parsed.contents;
}

bool IniSettingsStore::write_locked(const std::string& application, const std::string& section, const std::string& key,
                                    const std::string& value) {
    parsed_.erase(application);
    tell_of_planted_link(notice_, file_for(application));
    return IniFile(file_for(application)).write_string(section, key, quoted(value));
}

bool IniSettingsStore::put(const std::string& application, const std::string& section, const std::string& key,
                           const std::string& value) {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    auto lock = FileLock::take(file_for(application));
    return lock && write_locked(application, section, key, value);
}

bool IniSettingsStore::change(const std::string& application, const std::string& section, const std::string& key,
                              const std::string& default_value, const std::function<std::string(const std::string&)>& change) {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    auto lock = FileLock::take(file_for(application));
    if (!lock) return false;
    parsed_.erase(application);  // read what another copy may have stored a moment ago
    return write_locked(application, section, key, change(get(application, section, key, default_value)));
}

}  // namespace qd
