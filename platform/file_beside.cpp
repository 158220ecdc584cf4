#include "platform/file_beside.h"

#include <string>

namespace qd {

std::filesystem::path beside(const std::filesystem::path& file, std::string_view suffix) {
    std::string name = file.filename().string();
    if (name.size() + suffix.size() > kLongestFileName)
        name.resize(kLongestFileName > suffix.size() ? kLongestFileName - suffix.size() : 0);
    return file.parent_path() / (name + std::string(suffix));
}

}  // namespace qd
