#include "updater/package/utility_own_files.h"

#include <filesystem>

#include "platform/text_forms.h"
#include "updater/catalogue/catalogue_files.h"
#include "updater/paths/relative_names.h"

namespace qd {

std::optional<std::string> utility_own_file(std::string_view name, std::string_view utility_file_name) {
    const std::string plain = std::filesystem::path(with_forward_slashes(name)).lexically_normal().generic_string();
    const std::string own[] = {std::string(catalogue::kLocalFile), std::string(catalogue::kRemoteFile),
                               std::string(utility_file_name) + ".new"};
    for (const std::string& file : own)
        if (equals_ignoring_case(plain, file)) return file;
    return std::nullopt;
}

}  // namespace qd
