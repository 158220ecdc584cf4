#include "updater/package/package_of_folder.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "updater/paths/relative_names.h"

namespace qd {

namespace fs = std::filesystem;

namespace {

std::string entry_name_of(const fs::path& relative) {
    std::string name;
    for (const fs::path& part : relative) {
        std::string text = part.string();
        if (text.find('\\') != std::string::npos)
            throw PackageBuildError("\"" + relative.string() + "\" holds a \"\\\", which packages use between folders");
        if (!name.empty()) name += '\\';
        name += text;
    }
    if (auto fault = unsafe_entry_name(name)) throw PackageBuildError(*fault);
    return name;
}

std::string read_contents(const fs::path& file) {
    std::error_code error;
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    if (in && fs::file_size(file, error) > 0 && !error) bytes << in.rdbuf();
    if (!in || in.bad()) throw PackageBuildError("cannot read " + file.string());
    return bytes.str();
}

}  // namespace

PackageRecord package_of_folder(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) throw PackageBuildError(folder.string() + " is not a folder");

    std::vector<std::pair<std::string, fs::path>> files;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        fs::file_status status = it->symlink_status();
        if (fs::is_directory(status)) continue;
        fs::path relative = it->path().lexically_relative(folder);
        if (fs::is_symlink(status)) throw PackageBuildError(relative.string() + " is a symbolic link; packages hold files only");
        if (!fs::is_regular_file(status)) throw PackageBuildError(relative.string() + " is not a regular file");
        files.emplace_back(entry_name_of(relative), it->path());
    }
    if (error) throw PackageBuildError("cannot list " + folder.string() + ": " + error.message());
    std::sort(files.begin(), files.end());

    PackageRecord record;
    record.text = "quizdeck package";
    record.second.lower_index = 1;
    for (const auto& [name, path] : files) {
        record.names.items.push_back(name);
        record.contents.items.push_back(read_contents(path));
    }
    return record;
}

}  // namespace qd
