// pck create OUT.pck DIR | pck list FILE.pck | pck extract FILE.pck DIR
// Errors go to standard error with exit status 1 (2 for a wrong command line).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "platform/replace_file.h"
#include "tools/tool_main.h"
#include "updater/package/package_format.h"
#include "updater/package/package_of_folder.h"
#include "updater/package/read_package_file.h"
#include "updater/package/unpack_package.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* usage =
    "usage: pck create OUT.pck DIR    pack every file below DIR\n"
    "       pck list FILE.pck         show the files of a package\n"
    "       pck extract FILE.pck DIR  unpack a package into DIR, as the update utility would\n";

struct ToolError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The unpacker's failure report, for a command line: print and stop.
class ConsoleFailureReport : public qd::UpdateFailureReport {
public:
    void show_error_message(const std::string& text) override { std::fprintf(stderr, "pck: %s\n", text.c_str()); }
    [[noreturn]] void ReportUpdateFailure(const std::string& text) override {
        std::string_view shown = text;
        if (shown.starts_with('\n')) shown.remove_prefix(1);
        std::fprintf(stderr, "pck: %.*s\n", static_cast<int>(shown.size()), shown.data());
        std::exit(1);
    }
};

class SilentProgress : public qd::UpdateProgress {
public:
    void set_bar(int) override {}
    void set_percent_label(const std::string&) override {}
    void process_pending_events() override {}
};

void create(const fs::path& package_file, const fs::path& folder) {
    qd::PackageRecord record = qd::package_of_folder(folder);
    std::string bytes = qd::serialize_package(record);
    if (auto fault = qd::replace_file(package_file, bytes, 0644)) throw ToolError(*fault);
    std::printf("%zu files, %zu bytes\n", record.names.items.size(), bytes.size());
}

void list(const fs::path& package_file) {
    qd::PackageRecord record = qd::ReadPackageFile(package_file);
    std::printf("text: %s\n", record.text.c_str());
    for (std::int64_t index = record.names.lower_index; index <= record.names.upper_index(); ++index) {
        const std::string& name = record.names.at(index);
        std::string size = record.contents.holds(index) ? std::to_string(record.contents.at(index).size()) : "-";
        std::printf("%6lld %10s  %s%s\n", static_cast<long long>(index), size.c_str(), name.c_str(),
                    index < 1      ? "  (index below 1, never unpacked)"
                    : name.empty() ? "  (empty name, skipped)"
                                   : "");
    }
}

void extract(const fs::path& package_file, const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw ToolError("cannot create " + folder.string() + ": " + error.message());
    SilentProgress progress;
    ConsoleFailureReport failures;
    bool self_update = false;
    // The maker sees the package's own names: no new-utility renaming.
    qd::UnpackServices services{progress, failures, self_update, "", ""};
    qd::UnpackPackage(folder.string(), package_file, services);
}

int run(std::span<char*> args) {
    std::string_view command = args.size() > 1 ? args[1] : "";
    if (command == "create" && args.size() == 4) {
        create(args[2], args[3]);
    } else if (command == "list" && args.size() == 3) {
        list(args[2]);
    } else if (command == "extract" && args.size() == 4) {
        extract(args[2], args[3]);
    } else {
        std::fputs(usage, stderr);
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return qd::tools::run_tool("pck", argc, argv, run); }
