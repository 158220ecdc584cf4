#pragma once
// The console's command history for the arrow keys: Up steps back through the
// commands entered, Down forward again to an empty line.
#include <cstddef>
#include <deque>
#include <string>

namespace qd::gridlab {

class CommandHistory {
public:
    explicit CommandHistory(std::size_t capacity = 50) : capacity_(capacity) {}

    // Records an entered command (blank lines and repeats of the last one are not kept).
    void add(const std::string& command);
    std::string older();  // the previous command, or the oldest one when already there
    std::string newer();  // the next command, or "" past the newest

private:
    std::deque<std::string> entries_;
    std::size_t capacity_;
    std::size_t position_ = 0;  // entries_.size() means "at the empty new line"
};

}  // namespace qd::gridlab
