// u2: the update utility's swap helper. The utility starts it from the
// program folder, without arguments, after it has unpacked a new copy of
// itself as "updates.new". u2 waits until the utility has ended, then puts
// the new copy in its place. When it cannot, the old utility stays as it
// was, and the reason goes to standard error and to "u2.log" in the working
// folder (the program folder), since nobody may be watching the terminal.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/program_file_name.h"
#include "updater/catalogue/app_folder.h"
#include "updater/swap/swap_in_new_utility.h"
#include "updater/swap/utility_log.h"

namespace {

// The utility stays open after "Files have been updated" until the student
// closes it, which may be much later; its lock ends with its process, so
// waiting a whole day never keeps u2 waiting on nothing.
constexpr std::chrono::hours kWaitLimit{24};

void tell(const std::string& line) {
    std::fprintf(stderr, "u2: %s\n", line.c_str());
    qd::append_to_utility_log(std::filesystem::current_path(), line);
}

}  // namespace

int main() {
    const std::filesystem::path utility = qd::running_program_folder() + qd::program_file_name("updates.exe");
    if (auto why = qd::swap_in_new_utility(utility, kWaitLimit)) {
        tell("the update utility was not replaced: " + *why);
        return 1;
    }
    return 0;
}
