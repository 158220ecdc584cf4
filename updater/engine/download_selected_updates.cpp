#include "updater/engine/download_selected_updates.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/file_for_writing.h"
#include "platform/program_file_name.h"
#include "platform/text_forms.h"
#include "updater/catalogue/catalogue_files.h"
#include "updater/catalogue/record_installed_product.h"
#include "updater/digest/sha256.h"
#include "updater/engine/download_texts.h"
#include "updater/engine/writable_folder.h"
#include "updater/package/ensure_folder_path.h"
#include "updater/package/unpack_package.h"
#include "updater/paths/relative_names.h"

namespace qd {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTitle = "Palvera Press Updates";
constexpr std::string_view kErrorDownloading = "Error Downloading Updates";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Where one product's files go.
struct ProductFiles {
    std::string folder;  // program folder + the product's folder, with "/"
    std::string base;    // in the download folder: the offered position and the name
    std::string compressed() const { return base + ".cmp"; }
    std::string package() const { return base + ".pck"; }
};

std::string download_folder(const UpdateRun& run) { return run.program_folder + kDownloadFolder; }

// The folder itself, without the final "/": through a name ending in "/" the
// file system follows a link in the folder's place, and the removal of an
// earlier run's downloads would empty the folder the link names.
fs::path download_folder_itself(const UpdateRun& run) { return fs::path(download_folder(run)).parent_path(); }

// Two offered products may share a name in different folders: the position
// keeps their downloads apart.
ProductFiles files_of(const UpdateRun& run, ProductEntry& entry) {
    if (!entry.path.empty() && !entry.path.ends_with('\\') && !entry.path.ends_with('/')) entry.path += '\\';
    std::string folder = run.program_folder + with_forward_slashes(entry.path);
    const auto position = static_cast<std::size_t>(&entry - run.lists.offered.data());
    return {folder, download_folder(run) + std::to_string(position + 1) + "." + entry.name};
}

bool any_selected(const CatalogueLists& lists) {
    for (const ProductEntry& entry : lists.offered)
        if (entry.selected) return true;
    return false;
}

void remove_download_folder(const UpdateRun& run) {
    std::error_code ignored;
    fs::remove_all(download_folder_itself(run), ignored);
}

[[noreturn]] void report_download_failure(EngineServices& services, const std::string& reason) {
    services.failures.ReportUpdateFailure(std::string(kErrorDownloading) + "\n" + reason);
    std::abort();  // the report ends the program; the compiler cannot see that through the interface
}

// Every folder that will be written is there and takes files before the
// first byte is fetched, so a run never fails half-way for want of rights.
void prepare_folders(UpdateRun& run, EngineServices& services) {
    if (auto why = why_not_writable(run.program_folder))
        services.failures.ReportUpdateFailure("The program folder " + run.program_folder + " cannot be written: " + *why);
    std::error_code error;
    for (ProductEntry& entry : run.lists.offered) {
        if (!entry.selected) continue;
        ProductFiles files = files_of(run, entry);
        if (!fs::exists(files.folder, error)) EnsureFolderPath(files.folder, services.failures);
        if (auto why = why_not_writable(files.folder))
            services.failures.ReportUpdateFailure("The folder " + files.folder + " cannot be written: " + *why);
    }
    // What an earlier run left there is of no use: each run fetches afresh.
    tell_of_planted_link(services.notice, download_folder_itself(run));
    remove_download_folder(run);
    if (!fs::create_directory(download_folder_itself(run), error) || error)
        services.failures.ReportUpdateFailure("The folder " + download_folder(run) + " cannot be made: " + error.message());
}

// The download page while one file arrives: the percentage and bar when they
// change, the rate at most a few times a second (the labels would otherwise
// cost more than the transfer itself on a fast line).
class DownloadPage {
public:
    DownloadPage(UpdateDisplay& display, const std::string& name) : display_(display), name_(name) {}

    void show(std::int64_t received, std::int64_t total) {
        display_.set_current_file(name_);
        const std::int64_t remaining = total - received;
        const int left = total > 0
                             ? static_cast<int>(round_half_even(static_cast<double>(remaining) / static_cast<double>(total) * 100))
                             : 0;
        if (100 - left != shown_percent_) {
            shown_percent_ = 100 - left;
            display_.set_percent_label(std::to_string(shown_percent_) + "%");
            display_.set_bar(shown_percent_);
        }
        const float elapsed = display_.elapsed_seconds();
        if (elapsed > 0 && elapsed != rate_shown_at_) {
            rate_shown_at_ = elapsed;
            display_.set_rate_text(rate_text(static_cast<double>(received) / elapsed));
        }
    }

private:
    UpdateDisplay& display_;
    std::string name_;
    int shown_percent_ = -1;
    float rate_shown_at_ = 0;
};

void download_product(const UpdateRun& run, const ProductEntry& entry, const ProductFiles& files, EngineServices& services) {
    UpdateDisplay& display = services.display;
    File out(open_stream_for_writing(files.compressed(), WriteMode::create_new));
    if (!out) report_download_failure(services, "Cannot create " + files.compressed());
    std::setvbuf(out.get(), nullptr, _IOFBF, 1 << 20);
    display.start_transfer_clock();
    DownloadPage page(display, entry.name);
    std::int64_t total = 0;
    DownloadRules rules{.length_required = true, .most_bytes = most_download_bytes(entry), .times = services.times};
    DownloadHandlers handlers{.on_head =
                                  [&](std::optional<std::int64_t> length) {
        total = *length;
        page.show(0, total);
                              },
                              .on_piece =
                                  [&](std::string_view piece, std::int64_t received) {
        if (std::fwrite(piece.data(), 1, piece.size(), out.get()) != piece.size())
            throw DownloadFault{"Cannot write " + files.compressed()};
        page.show(received, total);
                              },
        .between_steps = [&] { display.process_pending_events(); }};
    try {
        download_whole(services.transfer, run.addresses.url + entry.name + ".cmp", rules, handlers);
        if (std::fclose(out.release()) != 0) throw DownloadFault{"Cannot write " + files.compressed()};
    } catch (const DownloadFault& fault) {
        display.stop_transfer_clock();
        out.reset();
        std::error_code ignored;
        fs::remove(files.compressed(), ignored);
        report_download_failure(services, entry.name + ".cmp: " + fault.reason);
    }
    display.stop_transfer_clock();
}

void check_digest(const ProductEntry& entry, const ProductFiles& files, EngineServices& services) {
    if (entry.sha256.empty()) return;
    std::optional<std::string> digest = sha256_text_of_file(files.compressed());
    if (!digest) report_download_failure(services, "Cannot read " + files.compressed());
    if (!equals_ignoring_case(*digest, entry.sha256))
        report_download_failure(services, entry.name + ".cmp is not the file the update list names (its SHA-256 differs).");
}

void DecompressPackage(clsHuffman& codec, const ProductFiles& files, UpdateFailureReport& failures) {
    try {
        codec.DecodeFile(files.compressed(), files.package());
    } catch (const std::exception&) {
        failures.ReportUpdateFailure("Error Decompressing " + files.package());
    }
}

void install_product(UpdateRun& run, const ProductEntry& entry, const ProductFiles& files, EngineServices& services) {
    UpdateDisplay& display = services.display;
    display.set_current_file(entry.name);
    display.hide_rate();
    display.set_status_caption("Decompression Status");
    check_digest(entry, files, services);
    DecompressPackage(services.codec, files, services.failures);
    display.set_status_caption("Unpacking Files");
    UnpackServices unpack{display, services.failures, run.self_update_flag, run.utility_file_name, run.program_folder};
    UnpackPackage(files.folder, files.package(), unpack);
    std::error_code ignored;
    fs::remove(files.compressed(), ignored);
    fs::remove(files.package(), ignored);
    tell_of_planted_link(services.notice, run.program_folder + std::string(catalogue::kLocalFile));
    RecordInstalledProduct(run.program_folder, run.lists, entry, services.failures);
}

// Passes a failure on once the downloaded files of the products not yet
// installed are gone: the run ends there, and would leave them behind.
class DiscardingFailureReport final : public UpdateFailureReport {
public:
    DiscardingFailureReport(UpdateFailureReport& report, std::vector<std::string> downloads, std::string folder)
        : report_(report), downloads_(std::move(downloads)), folder_(std::move(folder)) {}
    void show_error_message(const std::string& text) override { report_.show_error_message(text); }
    [[noreturn]] void ReportUpdateFailure(const std::string& text) override {
        std::error_code ignored;
        for (const std::string& file : downloads_) fs::remove(file, ignored);
        if (!folder_.empty()) fs::remove(folder_, ignored);  // only when nothing else is in it
        report_.ReportUpdateFailure(text);
        std::abort();  // as above: never reached
    }

private:
    UpdateFailureReport& report_;
    std::vector<std::string> downloads_;
    std::string folder_;
};

void show_updated(Dialogs& dialogs) {
    dialogs.message("Files have been updated", std::string(kTitle), DialogButtons::ok, DialogIcon::information);
}

}  // namespace

std::int64_t most_download_bytes(const ProductEntry& entry) {
    return entry.size > 0 ? std::int64_t{entry.size} * 1024 + kSizeMargin : kUnsizedDownloadLimit;
}

void DownloadSelectedUpdates(UpdateRun& run, EngineServices& caller) {
    for (ProductEntry& entry : run.lists.offered)
        if (!entry.refused.empty()) entry.selected = false;  // shown as not installable, never ticked
    if (!any_selected(run.lists)) caller.failures.ReportUpdateFailure("No updates were selected from the list");
    if (!caller.running_applications_closed())
        caller.failures.ReportUpdateFailure("Cannot complete updates while other Palvera Press applications are running");
    prepare_folders(run, caller);

    std::vector<std::string> downloads;
    for (ProductEntry& entry : run.lists.offered)
        if (entry.selected) {
            const ProductFiles files = files_of(run, entry);
            downloads.insert(downloads.end(), {files.compressed(), files.package()});
        }
    DiscardingFailureReport failures(caller.failures, std::move(downloads), download_folder_itself(run).string());
    EngineServices services{
        caller.transfer, caller.display, failures, caller.dialogs, caller.starter, caller.codec, caller.running_applications_closed,
        caller.times,    caller.notice};

    for (ProductEntry& entry : run.lists.offered)
        if (entry.selected) download_product(run, entry, files_of(run, entry), services);
    for (ProductEntry& entry : run.lists.offered)
        if (entry.selected) install_product(run, entry, files_of(run, entry), services);

    std::error_code ignored;
    fs::remove(download_folder_itself(run), ignored);
    fs::remove(run.program_folder + std::string(catalogue::kRemoteFile), ignored);
    if (run.self_update_flag) {
        show_updated(services.dialogs);
        services.starter.start(run.program_folder + program_file_name("u2.exe"), {}, run.program_folder);
    }
    show_updated(services.dialogs);
}

}  // namespace qd
