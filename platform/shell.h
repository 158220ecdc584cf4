#pragma once
// The desktop's "open" action on documents, files and web or mail addresses.
#include <string>

namespace qd {

enum class ShowMode : int { hidden = 0, normal = 1, maximized = 3 };

class Shell {
public:
    virtual ~Shell() = default;
    // Opens the document with the user's preferred program. Whether that
    // worked is not reported: a missing document simply shows nothing.
    virtual void open(const std::string& document, ShowMode mode) = 0;
};

}  // namespace qd
