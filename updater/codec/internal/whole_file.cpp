#include "whole_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#include "platform/file_for_writing.h"

namespace qd::he3 {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const char* what, const fs::path& file, int error) {
    throw fs::filesystem_error(what, file, std::error_code(error != 0 ? error : EIO, std::generic_category()));
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool file_exists(const fs::path& file) {
    std::error_code error;
    (void)fs::file_size(file, error);
    return !error;
}

std::vector<std::uint8_t> read_whole_file(const fs::path& file) {
    File in(std::fopen(file.c_str(), "rb"));
    if (!in) fail("cannot open the source file", file, errno);
    std::error_code error;
    auto size = fs::file_size(file, error);
    if (error) fail("cannot take the length of the source file", file, error.value());
    std::vector<std::uint8_t> bytes(size);
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size())
        fail("cannot read the source file", file, errno);
    return bytes;
}

void replace_file(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    std::error_code error;
    fs::remove(file, error);
    if (error) fail("cannot delete the destination file", file, error.value());
    File out(qd::open_stream_for_writing(file, qd::WriteMode::create_new));
    if (!out) fail("cannot create the destination file", file, errno);
    bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
    written = std::fclose(out.release()) == 0 && written;
    if (!written) {
        int saved = errno;
        fs::remove(file, error);
        fail("cannot write the destination file", file, saved);
    }
}

}  // namespace qd::he3
