#include "gridlab/command_history.h"

#include "platform/text_forms.h"

namespace qd::gridlab {

void CommandHistory::add(const std::string& command) {
    if (!trim_blanks(command).empty() && (entries_.empty() || entries_.back() != command)) {
        entries_.push_back(command);
        if (entries_.size() > capacity_) entries_.pop_front();
    }
    position_ = entries_.size();
}

std::string CommandHistory::older() {
    if (entries_.empty()) return {};
    if (position_ > 0) --position_;
    return entries_[position_];
}

std::string CommandHistory::newer() {
    if (position_ < entries_.size()) ++position_;
    return position_ < entries_.size() ? entries_[position_] : std::string();
}

}  // namespace qd::gridlab
