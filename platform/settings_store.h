#pragma once
// The per-user program-settings store: text values by application, section
// and key. One INI file per application lives in the configuration folder:
// $QUIZDECK_CONFIG_DIR, else $XDG_CONFIG_HOME/quizdeck, else ~/.config/quizdeck.
#include <filesystem>
#include <string>

namespace qd {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(const std::string& application, const std::string& section, const std::string& key,
                            const std::string& default_value) const = 0;
    // False when the value could not be stored; what was stored before stays.
    virtual bool put(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

class IniSettingsStore final : public SettingsStore {
public:
    explicit IniSettingsStore(std::filesystem::path folder = default_folder());
    static std::filesystem::path default_folder();

    std::string get(const std::string& application, const std::string& section, const std::string& key,
                    const std::string& default_value) const override;
    bool put(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) override;

private:
    std::filesystem::path file_for(const std::string& application) const;
    std::filesystem::path folder_;
};

}  // namespace qd
