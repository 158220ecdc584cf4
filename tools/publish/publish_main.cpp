// publish PRODUCT_DIR SERVER_DIR NAME VERSION [--path FOLDER] [--date DATE]
// Errors go to standard error with exit status 1 (2 for a wrong command line).
#include <chrono>
#include <cstdio>
#include <exception>
#include <span>
#include <string>
#include <string_view>

#include "tools/publish/publish_update.h"
#include "tools/tool_main.h"

namespace {

constexpr const char* usage =
    "usage: publish PRODUCT_DIR SERVER_DIR NAME VERSION [--path FOLDER] [--date DATE]\n"
    "  packs every file below PRODUCT_DIR, writes SERVER_DIR/NAME.cmp and enters\n"
    "  NAME at VERSION in SERVER_DIR/updates.ini. FOLDER is where the files go below\n"
    "  the program folder (default: the program folder); DATE defaults to today.\n";

std::string today() {
    auto days = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    std::chrono::year_month_day date{days};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()));
    return text;
}

int run(std::span<char*> args) {
    if (args.size() < 5 || (args.size() - 5) % 2 != 0) {
        std::fputs(usage, stderr);
        return 2;
    }
    qd::PublishRequest request{args[1], args[2], args[3], args[4], "", today()};
    for (std::size_t i = 5; i < args.size(); i += 2) {
        std::string_view option = args[i];
        if (option == "--path") {
            request.path = args[i + 1];
        } else if (option == "--date") {
            request.date = args[i + 1];
        } else {
            std::fputs(usage, stderr);
            return 2;
        }
    }
    qd::PublishResult result = qd::publish_update(request);
    std::printf("%s %s: %zu files, %d KB, catalogue section product%d\n", request.name.c_str(), request.version.c_str(),
                result.file_count, result.size_kilobytes, result.product_number);
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return qd::tools::run_tool("publish", argc, argv, run); }
