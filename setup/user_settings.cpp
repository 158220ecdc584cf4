#include "setup/user_settings.h"

#include "platform/failure.h"

namespace qd {

std::string UserSettings::get(const std::string& application, const std::string& section, const std::string& key,
                              const std::string& default_value) const {
    return store_.get(application, section, key, default_value);
}

void UserSettings::put(const std::string& application, const std::string& section, const std::string& key,
                       const std::string& value) {
    if (!store_.put(application, section, key, value))
        throw Failure(FailureCode::file_access_error, "The setting " + key + " could not be saved");
}

}  // namespace qd
