#include "platform/program_file_name.h"

#include "platform/text_forms.h"

namespace qd {

std::string program_file_name(std::string_view windows_name) {
    constexpr std::string_view ending = ".exe";
    if (windows_name.size() > ending.size() &&
        equals_ignoring_case(windows_name.substr(windows_name.size() - ending.size()), ending))
        windows_name.remove_suffix(ending.size());
    return std::string(windows_name);
}

}  // namespace qd
