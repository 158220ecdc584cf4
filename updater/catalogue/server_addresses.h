#pragma once
// Where the utility fetches from: read from the local catalogue only, so a
// remote catalogue can never redirect the utility.
#include <filesystem>
#include <string>

namespace qd {

struct ServerAddresses {
    std::string url;         // the remote catalogue is url + "updates.ini", a package url + name + ".cmp"
    std::string manual_url;  // the page where the user fetches updates by hand
};

ServerAddresses read_server_addresses(const std::filesystem::path& program_folder);

}  // namespace qd
