#include "tools/publish/publish_update.h"

#include <cstdint>
#include <vector>

#include "platform/ini_file.h"
#include "platform/replace_file.h"
#include "platform/text_forms.h"
#include "updater/catalogue/catalogue_files.h"
#include "updater/catalogue/catalogue_version.h"
#include "updater/codec/cls_huffman.h"
#include "updater/digest/sha256.h"
#include "updater/package/package_format.h"
#include "updater/package/package_of_folder.h"
#include "updater/package/utility_own_files.h"
#include "updater/paths/relative_names.h"

namespace qd {

namespace {

constexpr int kMostKilobytes = 32767;  // the update utility keeps sizes and their total in 16 bits

// The catalogue writes folders the desktop way: "\" between parts and after the last.
std::string catalogue_folder(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    if (!path.empty() && !path.ends_with('\\')) path += '\\';
    return path;
}

struct PublishedEntry {
    int number = 0;  // 0: not listed yet
    std::string version;
};

PublishedEntry find_published(const IniFile& catalogue, const std::string& name, int count) {
    for (int number = 1; number <= count; ++number) {
        std::string section = "product" + std::to_string(number);
        if (catalogue.get_string(section, "name", "", catalogue::kValueBuffer) == name)
            return {number, catalogue.get_string(section, "version", "", catalogue::kValueBuffer)};
    }
    return {};
}

// Utilities in the field download NAME.cmp and decode NAME.pck into the
// product's own folder and remove both after unpacking: a packaged file of
// either name would be lost there.
void refuse_download_names(const PackageRecord& record, const std::string& name) {
    for (const std::string& entry : record.names.items)
        for (const char* ending : {".cmp", ".pck"})
            if (equals_ignoring_case(entry, name + ending))
                throw PublishError("the product folder holds " + entry + ", the name of the product's own download; " +
                                   "rename that file or the product");
}

// The utility unpacks a product of the program folder there, beside its own
// files; the unpacker refuses a package that would replace one of them.
void refuse_utility_own_files(const PackageRecord& record, const std::string& install_folder) {
    std::string folder = with_forward_slashes(install_folder);
    if (!folder.empty() && !folder.ends_with('/')) folder += '/';
    for (const std::string& entry : record.names.items)
        if (auto own = utility_own_file(folder + with_forward_slashes(entry)))
            throw PublishError("the product folder holds " + entry + ", which would replace the update utility's own " + *own +
                               " in the program folder; rename that file or install the product in a folder of its own");
}

std::vector<std::uint8_t> encoded_package(const std::filesystem::path& product_folder, const std::string& name,
                                          const std::string& install_folder, std::size_t& file_count) {
    PackageRecord record;
    try {
        record = package_of_folder(product_folder);
    } catch (const PackageBuildError& error) {
        throw PublishError(error.what());
    }
    file_count = record.names.items.size();
    if (file_count == 0) throw PublishError(product_folder.string() + " holds no files");
    refuse_download_names(record, name);
    refuse_utility_own_files(record, install_folder);
    std::string package = serialize_package(record);
    std::vector<std::uint8_t> stream(package.begin(), package.end());
    clsHuffman codec;
    codec.EncodeByte(stream);
    // Every client would fail on a stream that does not give the package back.
    std::vector<std::uint8_t> check = stream;
    codec.DecodeByte(check);
    if (check != std::vector<std::uint8_t>(package.begin(), package.end()))
        throw PublishError("the encoded package does not decode to the package");
    return stream;
}

// The version is written last: a client reading the catalogue meanwhile sees
// either the old version or the new one with its new size and folder.
void write_entry(const IniFile& catalogue, int number, const PublishRequest& request, const std::string& version, int size,
                 const std::string& path, const std::string& sha256) {
    std::string section = "product" + std::to_string(number);
    bool written = catalogue.write_string(section, "name", request.name) && catalogue.write_string(section, "date", request.date) &&
                   catalogue.write_string(section, "size", std::to_string(size)) && catalogue.write_string(section, "path", path) &&
                   catalogue.write_string(section, "sha256", sha256) && catalogue.write_string(section, "version", version);
    if (!written) throw PublishError("cannot write " + catalogue.path().string());
}

}  // namespace

PublishResult publish_update(const PublishRequest& request) {
    if (auto fault = unsafe_product_name(request.name)) throw PublishError("product name: " + *fault);
    if (auto fault = unsafe_catalogue_folder(request.path)) throw PublishError("install folder: " + *fault);
    auto version = parse_catalogue_version(request.version);
    if (!version) throw PublishError("version \"" + request.version + "\" is not a decimal number");
    if (request.date.empty() || request.date.find_first_of("\r\n") != std::string::npos)
        throw PublishError("the date must be one line of text");

    std::error_code error;
    if (!std::filesystem::is_directory(request.server_folder, error))
        throw PublishError(request.server_folder.string() + " is not a folder");
    IniFile catalogue(request.server_folder / catalogue::kLocalFile);
    int count = catalogue.exists() ? catalogue.get_int("general", "numberofproducts", -1) : 0;
    if (count < 0 || count > catalogue::kMostProducts)
        throw PublishError(catalogue.path().string() + " has no usable \"numberofproducts\"");
    PublishedEntry published = find_published(catalogue, request.name, count);
    if (published.number != 0) {
        auto old_version = parse_catalogue_version(published.version);
        if (old_version && *old_version >= *version)
            throw PublishError("version " + request.version + " is not higher than the published " + published.version);
    }

    PublishResult result{published.number != 0 ? published.number : count + 1, 0, 0};
    std::vector<std::uint8_t> stream = encoded_package(request.product_folder, request.name, request.path, result.file_count);
    result.size_kilobytes = static_cast<int>((stream.size() + 1023) / 1024);
    if (result.size_kilobytes > kMostKilobytes)
        throw PublishError("the encoded package takes " + std::to_string(result.size_kilobytes) +
                           " KB; the update utility accepts at most 32767 KB");

    std::filesystem::path cmp_file = request.server_folder / (request.name + ".cmp");
    std::string_view bytes(reinterpret_cast<const char*>(stream.data()), stream.size());
    if (auto fault = replace_file(cmp_file, bytes, 0644)) throw PublishError(*fault);

    if (!catalogue.exists() && !catalogue.write_string("general", "numberofproducts", "0"))
        throw PublishError("cannot write " + catalogue.path().string());
    write_entry(catalogue, result.product_number, request, catalogue_version_text(*version), result.size_kilobytes,
                catalogue_folder(request.path), sha256_text(bytes));
    if (published.number == 0 && !catalogue.write_string("general", "numberofproducts", std::to_string(result.product_number)))
        throw PublishError("cannot write " + catalogue.path().string());
    return result;
}

}  // namespace qd
