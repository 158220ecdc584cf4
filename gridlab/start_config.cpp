#include "gridlab/start_config.h"

#include <sstream>

#include "gridlab/console_session.h"
#include "gridlab/task_text.h"
#include "platform/text_file.h"
#include "platform/text_forms.h"

namespace qd::gridlab {
namespace {

// A lab's starting configuration is a few lines; anything bigger is not ours.
constexpr std::size_t kLargestStartFile = 64 * 1024;

}  // namespace

std::vector<std::string> read_start_commands(const std::filesystem::path& folder) {
    const std::filesystem::path file = folder / kStartFileName;
    const auto text = read_regular_file(file, kLargestStartFile);
    if (!text || text->cut) return {};
    std::vector<std::string> commands;
    std::istringstream lines(plain_text_from_html(text->bytes));
    for (std::string line; std::getline(lines, line);) {
        const std::string command(trim_blanks(line));
        if (!command.empty()) commands.push_back(command);
    }
    return commands;
}

DeviceConfig start_configuration(DeviceModel model, const std::vector<std::string>& commands) {
    ConsoleSession scratch(model);
    if (commands.empty()) return scratch.config();
    scratch.enter("enable");
    scratch.enter("configure terminal");
    for (const auto& command : commands) scratch.enter(command);
    return scratch.config();
}

DeviceConfig start_configuration(DeviceModel model, const std::filesystem::path& folder) {
    return start_configuration(model, read_start_commands(folder));
}

}  // namespace qd::gridlab
