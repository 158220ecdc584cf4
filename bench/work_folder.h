#pragma once
// A fresh working folder for a benchmark's files, on the disk (not in
// memory), made the current folder and removed at the end.
#include <unistd.h>

#include <filesystem>
#include <string>

namespace qd::bench {

class WorkFolder {
public:
    explicit WorkFolder(const std::string& name = "quizdeck-bench") {
        path_ = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path_);
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~WorkFolder() {
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(path_);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_, old_;
};

}  // namespace qd::bench
