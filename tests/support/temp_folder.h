#pragma once
// A fresh temporary folder per test that also becomes the working folder and
// the per-user configuration folder, so no test touches the user's files.
// A test that runs another test program as a program to be stopped names its
// own folder in QUIZDECK_TEST_FOLDER; that one is used, and kept.
#include <filesystem>
#include <optional>
#include <string>

namespace qd::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
    bool kept_ = false;  // given by QUIZDECK_TEST_FOLDER, and left in place
    std::filesystem::path old_working_folder_;
    std::optional<std::string> old_config_folder_;  // QUIZDECK_CONFIG_DIR before the test
};

// Whole file as bytes; "" when it cannot be read.
std::string read_file(const std::filesystem::path& file);
void write_file(const std::filesystem::path& file, const std::string& bytes);

}  // namespace qd::testing
