#pragma once
// The per-user program-settings store: text values by application, section
// and key. One INI file per application lives in the configuration folder:
// $QUIZDECK_CONFIG_DIR, else $XDG_CONFIG_HOME/quizdeck, else ~/.config/quizdeck.
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "platform/file_for_writing.h"
#include "platform/ini_file.h"

namespace qd {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(const std::string& application, const std::string& section, const std::string& key,
                            const std::string& default_value) const = 0;
    // False when the value could not be stored; what was stored before stays.
    virtual bool put(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
    // Stores what `change` makes of the stored value (or `default_value`) as
    // one step, so that a count kept by two running copies loses no step.
    // False when the value could not be stored; what was stored before stays.
    virtual bool change(const std::string& application, const std::string& section, const std::string& key,
                        const std::string& default_value, const std::function<std::string(const std::string&)>& change) {
        return put(application, section, key, change(get(application, section, key, default_value)));
    }
};

class IniSettingsStore final : public SettingsStore {
public:
    // `notice` hears of a link found in a settings file's place and of a
    // settings file too large to read, each once.
    explicit IniSettingsStore(std::filesystem::path folder = default_folder(), FileNotice notice = {});
    static std::filesystem::path default_folder();

    std::string get(const std::string& application, const std::string& section, const std::string& key,
                    const std::string& default_value) const override;
    bool put(const std::string& application, const std::string& section, const std::string& key, const std::string& value) override;
    bool change(const std::string& application, const std::string& section, const std::string& key,
                const std::string& default_value, const std::function<std::string(const std::string&)>& change) override;

private:
    // One application's file as last parsed, and what identified it then:
    // it is parsed again only when it has changed on disk.
    struct Parsed {
        std::string identity;
        IniContents contents;
    };

    std::filesystem::path file_for(const std::string& application) const;
    const IniContents& contents_of(const std::string& application) const;
    bool write_locked(const std::string& application, const std::string& section, const std::string& key, const std::string& value);

    std::filesystem::path folder_;
    FileNotice notice_;
    mutable std::map<std::string, Parsed> parsed_;
    mutable std::set<std::string> told_too_large_;
};

}  // namespace qd
