#include "updater/package/read_package_file.h"

#include <fstream>
#include <sstream>

#include "updater/package/package_format.h"

namespace qd {

namespace fs = std::filesystem;

PackageRecord ReadPackageFile(const std::filesystem::path& package_file) {
    std::error_code error;
    std::ifstream in(package_file, std::ios::binary);
    std::ostringstream bytes;
    if (in && fs::file_size(package_file, error) > 0) bytes << in.rdbuf();
    if (!fs::is_regular_file(package_file, error) || !in || in.bad())
        throw PackageFormatError("cannot read the package " + package_file.string());
    return parse_package(bytes.str());
}

}  // namespace qd
