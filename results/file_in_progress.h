#pragma once
// A file written piece by piece beside its final name and put in place only
// when complete, for files too large to hold in memory whole. Until commit()
// the old file, if any, is untouched; a writer dropped without commit removes
// what it wrote.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qd {

class FileInProgress {
public:
    explicit FileInProgress(std::filesystem::path target);
    ~FileInProgress();
    FileInProgress(const FileInProgress&) = delete;
    FileInProgress& operator=(const FileInProgress&) = delete;

    // False once any write has failed; later writes are then ignored.
    bool write(std::string_view bytes);
    // Flushes the file to disk and renames it over the target. Returns why it failed, or nothing.
    std::optional<std::string> commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int descriptor_ = -1;
    int error_number_ = 0;
};

}  // namespace qd
