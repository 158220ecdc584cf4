#include "updater/catalogue/read_updates_ini.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>

#include "platform/ini_file.h"
#include "updater/catalogue/catalogue_files.h"
#include "updater/catalogue/catalogue_version.h"
#include "updater/digest/sha256.h"
#include "updater/paths/relative_names.h"

namespace qd {

namespace {

using namespace catalogue;

// A value of the catalogue that cannot be used; reported as one read error.
struct DamagedCatalogue {};

std::int16_t to_size(long long kilobytes) {
    if (kilobytes < std::numeric_limits<std::int16_t>::min() || kilobytes > std::numeric_limits<std::int16_t>::max())
        throw DamagedCatalogue{};
    return static_cast<std::int16_t>(kilobytes);
}

int product_count(const IniContents& file) {
    int count = file.get_int("general", "numberofproducts", -1);
    if (count < 0 || count > kMostProducts) throw DamagedCatalogue{};
    return count;
}

enum class Side { local, remote };

ProductEntry read_product(const IniContents& file, int number, Side side) {
    std::string section = "product" + std::to_string(number);
    auto text = [&](const char* key, std::string_view fallback) { return file.get_string(section, key, fallback, kValueBuffer); };
    ProductEntry entry;
    entry.name = text("name", kNoName);
    entry.size = to_size(file.get_int(section, "size", 0));
    // A local product without a version counts as version 0; a remote one
    // must carry a number.
    std::string version = text("version", side == Side::local ? "0" : kNoVersion);
    if (side == Side::remote || !version.empty()) {
        auto number_value = parse_catalogue_version(version);
        if (!number_value) throw DamagedCatalogue{};
        entry.version = *number_value;
    }
    entry.date = text("date", kNoDate);
    entry.path = text("path", kNoPath);
    // The update file's digest, when the catalogue gives one, is checked before decoding.
    if (side == Side::remote) {
        entry.sha256 = text("sha256", "");
        if (!entry.sha256.empty() && !is_sha256_text(entry.sha256)) throw DamagedCatalogue{};
    }
    return entry;
}

std::vector<ProductEntry> read_products(const IniContents& file, int count, Side side) {
    std::vector<ProductEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int number = 1; number <= count; ++number) entries.push_back(read_product(file, number, side));
    return entries;
}

// A remote entry is up to date when some local entry of its name has an equal
// or higher version, that is when the highest local version of the name does.
void mark_up_to_date(const std::vector<ProductEntry>& local, std::vector<ProductEntry>& remote) {
    std::unordered_map<std::string, float> highest;
    for (const ProductEntry& installed : local) {
        auto [at, added] = highest.try_emplace(installed.name, installed.version);
        if (!added) at->second = std::max(at->second, installed.version);
    }
    for (ProductEntry& entry : remote) {
        auto at = highest.find(entry.name);
        entry.up_to_date = at != highest.end() && at->second >= entry.version;
    }
}

// An offered product is downloaded to and unpacked under program folder +
// path, and its files are named after it: neither may lead elsewhere. Such a
// product alone is refused; the others can still be installed.
void check_installable(ProductEntry& entry) {
    if (entry.name == kNoName) entry.refused = "the update list gives it no name";
    else if (entry.path == kNoPath) entry.refused = "the update list gives it no folder";
    else if (auto why = unsafe_product_name(entry.name)) entry.refused = "its name " + *why;
    else if (auto folder_why = unsafe_catalogue_folder(entry.path)) entry.refused = "its folder " + *folder_why;
}

void check_size_total(const std::vector<ProductEntry>& offered) {
    long long total = 0;
    for (const ProductEntry& entry : offered)
        if (entry.refused.empty()) total += entry.size;
    to_size(total);
}

}  // namespace

CatalogueLists Read_Updates_Ini(const std::filesystem::path& program_folder, UpdateFailureReport& failures) {
    // Each file is parsed once for the whole pass.
    IniFile local_file(program_folder / kLocalFile);
    if (!local_file.exists()) failures.ReportUpdateFailure(std::string(kLocalMissing));
    const IniContents local = local_file.read();
    const IniContents remote = IniFile(program_folder / kRemoteFile).read();
    if (remote.get_int("general", "numberofproducts", -1) == -1) {
        failures.show_error_message(std::string(kErrorRetrieving));
        failures.ReportUpdateFailure(std::string(kErrorReading));
    }

    CatalogueLists lists;
    try {
        int local_count = product_count(local);
        int remote_count = product_count(remote);
        lists.local = read_products(local, local_count, Side::local);
        lists.remote = read_products(remote, remote_count, Side::remote);
        mark_up_to_date(lists.local, lists.remote);
        for (const ProductEntry& entry : lists.remote)
            if (!entry.up_to_date) lists.offered.push_back(entry);
        for (ProductEntry& entry : lists.offered) check_installable(entry);
        check_size_total(lists.offered);
    } catch (const DamagedCatalogue&) {
        failures.ReportUpdateFailure(std::string(kErrorReading));
    }
    return lists;
}

}  // namespace qd
