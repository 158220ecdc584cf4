#pragma once
// The update utility's own files in the program folder, which no package may
// write: the local catalogue (its server address with it), the fetched
// catalogue it is compared with, and the name the utility's own new copy
// waits under for the swap helper.
#include <optional>
#include <string>
#include <string_view>

namespace qd {

// The own file that `name`, a path below the program folder with "/" or "\"
// between its parts, would replace, in any letter case; nothing for any
// other name. `utility_file_name` is the running utility's file name.
std::optional<std::string> utility_own_file(std::string_view name, std::string_view utility_file_name = "updates");

}  // namespace qd
