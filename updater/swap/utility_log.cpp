#include "updater/swap/utility_log.h"

#include <ctime>
#include <string>

#include "platform/file_for_writing.h"

namespace qd {

void append_to_utility_log(const std::filesystem::path& program_folder, std::string_view line) {
    std::time_t now = std::time(nullptr);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    write_file(program_folder / kUtilityLogFile, std::string(when) + " " + std::string(line) + "\r\n", WriteMode::append);
}

}  // namespace qd
