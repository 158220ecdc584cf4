#include "updater/catalogue/record_installed_product.h"

#include <climits>

#include "platform/ini_file.h"
#include "updater/catalogue/catalogue_files.h"
#include "updater/catalogue/catalogue_version.h"

namespace qd {

namespace {

using namespace catalogue;

std::string section_name(long long number) { return "product" + std::to_string(number); }

// The remote entry carries the catalogue's own texts; when several share the
// name, the last one counts.
const ProductEntry& remote_entry_of(const CatalogueLists& lists, const ProductEntry& installed) {
    const ProductEntry* found = &installed;
    for (const ProductEntry& entry : lists.remote)
        if (entry.name == installed.name) found = &entry;
    return *found;
}

bool update_listed_sections(const IniFile& file, const CatalogueLists& lists, const ProductEntry& entry) {
    bool listed = false;
    for (std::size_t i = 0; i < lists.local.size(); ++i) {
        if (lists.local[i].name != entry.name) continue;
        listed = true;
        std::string section = section_name(static_cast<long long>(i) + 1);
        file.write_string(section, "version", catalogue_version_text(entry.version));
        file.write_string(section, "size", std::to_string(entry.size));
        file.write_string(section, "date", entry.date);
        file.write_string(section, "path", entry.path);
    }
    return listed;
}

// The section is written before the count is raised, so an interrupted
// append leaves the count pointing at complete sections only; the next
// append then writes over the unfinished section.
bool append_section(const IniFile& file, const ProductEntry& entry) {
    int count = file.get_int("general", "numberofproducts", 0);
    if (count < 0 || count == INT_MAX) return false;
    std::string section = section_name(count + 1);
    return file.write_string(section, "name", entry.name) &&
           file.write_string(section, "version", catalogue_version_text(entry.version)) &&
           file.write_string(section, "date", entry.date) && file.write_string(section, "size", std::to_string(entry.size)) &&
           file.write_string(section, "path", entry.path) &&
           file.write_string("general", "numberofproducts", std::to_string(count + 1));
}

}  // namespace

void RecordInstalledProduct(const std::filesystem::path& program_folder, const CatalogueLists& lists, const ProductEntry& installed,
                            UpdateFailureReport& failures) {
    IniFile file(program_folder / kLocalFile);
    const ProductEntry& entry = remote_entry_of(lists, installed);
    if (update_listed_sections(file, lists, entry)) return;
    if (!append_section(file, entry)) failures.ReportUpdateFailure(std::string(kErrorUpdating));
}

}  // namespace qd
