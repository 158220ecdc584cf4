#include "temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace qd::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    if (const char* given = std::getenv("QUIZDECK_TEST_FOLDER"); given && *given) {
        path_ = given;
        kept_ = true;
    }
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("quizdeck-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            break;
        }
    }
    if (path_.empty()) throw std::runtime_error("cannot create a temporary folder");
    fs::create_directories(path_ / "config");
    old_working_folder_ = fs::current_path();
    fs::current_path(path_);
    if (const char* old = std::getenv("QUIZDECK_CONFIG_DIR")) old_config_folder_ = old;
    ::setenv("QUIZDECK_CONFIG_DIR", (path_ / "config").c_str(), 1);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::current_path(old_working_folder_, ignored);
    if (old_config_folder_) ::setenv("QUIZDECK_CONFIG_DIR", old_config_folder_->c_str(), 1);
    else ::unsetenv("QUIZDECK_CONFIG_DIR");
    if (kept_) return;
    // Tests may leave read-only folders behind; make them removable first.
    // Links are passed over: changing permissions through one would change
    // whatever it points at, outside this folder.
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator(); it.increment(ignored))
        if (!it->is_symlink(ignored)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string read_file(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void write_file(const fs::path& file, const std::string& bytes) {
    if (file.has_parent_path()) fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace qd::testing
