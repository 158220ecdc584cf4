#include "updater/package/unpack_package.h"

#include <cmath>
#include <vector>

#include "platform/replace_file.h"
#include "platform/text_forms.h"
#include "updater/package/ensure_folder_path.h"
#include "updater/package/package_format.h"
#include "updater/package/read_package_file.h"
#include "updater/package/utility_own_files.h"
#include "updater/paths/relative_names.h"

namespace qd {

namespace fs = std::filesystem;

namespace {

// One file of the package as it will be written.
struct PlannedFile {
    std::int64_t index;
    std::string folder_part;  // "" or "a/b/", relative to the target folder
    std::string file_name;    // relative to the target folder, with "/"
    bool is_new_utility;
};

// A fault found while checking the package; nothing has been written yet.
struct Refused {
    std::string description;
};

// The utility's own file in the program folder that `file_name` below the target folder stands for.
std::optional<std::string> own_file_named(const std::string& target, const std::string& file_name, const UnpackServices& services) {
    if (services.program_folder.empty()) return std::nullopt;
    // Resolved, as a product folder may be a link that leads back to the program folder.
    std::error_code error;
    const fs::path program = fs::weakly_canonical(services.program_folder, error);
    if (error) return std::nullopt;
    const fs::path written = fs::weakly_canonical(target + file_name, error);
    if (error) return std::nullopt;
    const fs::path inside = written.lexically_relative(program);
    if (inside.empty() || *inside.begin() == "..") return std::nullopt;
    return utility_own_file(inside.generic_string(), services.utility_file_name.empty() ? "updates" : services.utility_file_name);
}

PlannedFile plan_file(const PackageRecord& record, std::int64_t index, const std::string& target, const UnpackServices& services) {
    const std::string& utility_file_name = services.utility_file_name;
    const std::string& name = record.names.at(index);
    if (auto fault = unsafe_entry_name(name)) throw Refused{"The package holds an unsafe file name: " + *fault};
    if (!record.contents.holds(index))
        throw Refused{"The package has no contents for file " + std::to_string(index) + " (\"" + name + "\")"};

    PlannedFile file{index, "", with_forward_slashes(name), false};
    if (auto own = own_file_named(target, file.file_name, services))
        throw Refused{"The package file name \"" + name + "\" would replace the update utility's own " + *own};
    std::size_t last_slash = file.file_name.rfind('/');
    if (last_slash != std::string::npos) file.folder_part = file.file_name.substr(0, last_slash + 1);
    if (!utility_file_name.empty() && equals_ignoring_case(file.file_name, utility_file_name)) {
        file.is_new_utility = true;
        file.file_name = utility_file_name + ".new";
    }
    if (!resolves_inside(target, file.file_name))
        throw Refused{"The package file name \"" + name + "\" leads outside the target folder"};
    return file;
}

std::vector<PlannedFile> plan_files(const PackageRecord& record, const std::string& target, const UnpackServices& services) {
    std::vector<PlannedFile> files;
    for (std::int64_t index = 1; index <= record.names.upper_index(); ++index) {
        if (!record.names.holds(index)) throw Refused{"The package has no name for file " + std::to_string(index)};
        if (record.names.at(index).empty()) continue;
        files.push_back(plan_file(record, index, target, services));
    }
    return files;
}

// The new copy of the utility must run like the old one.
std::optional<mode_t> mode_of_new_utility(const std::string& target, const std::string& utility_file_name) {
    std::error_code error;
    auto permissions = fs::status(target + utility_file_name, error).permissions();
    if (error || permissions == fs::perms::unknown) return 0755;
    return static_cast<mode_t>(permissions);
}

void show_progress(UpdateProgress& progress, std::int64_t index, std::int64_t upper) {
    int percent = static_cast<int>(round_half_even(static_cast<double>(index) / static_cast<double>(upper) * 100));
    progress.set_percent_label(std::to_string(percent) + "%");
    progress.set_bar(percent);
}

}  // namespace

void UnpackPackage(std::string target_folder, const fs::path& package_file, UnpackServices& services) {
    if (!target_folder.ends_with('/')) target_folder += '/';
    services.progress.set_bar(0);
    services.progress.set_percent_label("0");

    PackageRecord record;
    std::vector<PlannedFile> files;
    try {
        record = ReadPackageFile(package_file);
        files = plan_files(record, target_folder, services);
    } catch (const PackageFormatError& error) {
        services.failures.ReportUpdateFailure("\n" + std::string(error.what()));
    } catch (const Refused& refused) {
        services.failures.ReportUpdateFailure("\n" + refused.description);
    }
    std::int64_t upper = record.names.upper_index();
    if (upper < 1) return;

    std::size_t next = 0;
    for (std::int64_t index = 1; index <= upper; ++index) {
        services.progress.process_pending_events();
        // Empty names are skipped, and so is their progress step.
        if (next < files.size() && files[next].index == index) {
            const PlannedFile& file = files[next++];
            if (!file.folder_part.empty() && !fs::exists(target_folder + file.folder_part))
                EnsureFolderPath(target_folder + file.folder_part, services.failures);
            std::optional<mode_t> mode;
            if (file.is_new_utility) {
                services.self_update_flag = true;
                mode = mode_of_new_utility(target_folder, services.utility_file_name);
            }
            if (auto fault = replace_file(target_folder + file.file_name, record.contents.at(index), mode))
                services.failures.ReportUpdateFailure("\n" + *fault);
            show_progress(services.progress, index, upper);
        }
    }
}

}  // namespace qd
