#pragma once
// Opening a file to write without ever writing through a symbolic link: a
// link found in the file's place is removed and a plain file made there, so
// the file it named is left alone and never created. Only plain files are
// written; a FIFO, a device or a folder in the file's place is refused, and
// the open never waits for a reader.
#include <sys/types.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qd {

enum class WriteMode {
    replace_contents,  // the file is emptied first
    append,            // new bytes go after what is there
    create_new,        // the file must not exist yet (a link in its place is removed first)
};

// What becomes of a symbolic link found in the file's place.
enum class AtALink {
    replace,  // removed, and a plain file made instead
    refuse,   // left as it is, and the write fails (ELOOP)
};

// An open descriptor for writing, or -1 with errno set.
int open_for_writing(const std::filesystem::path& file, WriteMode mode, mode_t create_mode = 0666,
                     AtALink at_a_link = AtALink::replace);

// The same as a stdio stream; nullptr with errno set when it cannot be opened.
std::FILE* open_stream_for_writing(const std::filesystem::path& file, WriteMode mode);

// Writes `bytes` to the file. Returns why it failed, or nothing.
std::optional<std::string> write_file(const std::filesystem::path& file, std::string_view bytes, WriteMode mode,
                                      AtALink at_a_link = AtALink::replace);

// The line to log when a symbolic link stands where `file` is about to be
// written, naming where it pointed; nothing for anything else.
std::optional<std::string> planted_link_notice(const std::filesystem::path& file);

// How a part without a log of its own tells the program that runs it what it
// found on the way (a link in a file's place, a file too large to read); an
// empty one tells nobody.
using FileNotice = std::function<void(const std::string& notice)>;

// Tells `notice` of a symbolic link standing where `file` is about to be written.
void tell_of_planted_link(const FileNotice& notice, const std::filesystem::path& file);

}  // namespace qd
