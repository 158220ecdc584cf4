#pragma once
// A program folder with its local catalogue, and an update server on
// 127.0.0.1 whose products are published with the maker's own tool.
#include <filesystem>
#include <map>
#include <string>

#include "loopback_server.h"
#include "platform/ini_file.h"
#include "temp_folder.h"
#include "tools/publish/publish_update.h"

namespace qd::testing {

class UpdateWorld {
public:
    UpdateWorld() {
        std::filesystem::create_directories(temp / "program");
        write_file(temp / "program" / "updates.ini", "[general]\r\nurl=" + server.url() +
                                                         "\r\nmanualurl=https://manual.example/updates.htm\r\n"
                                                         "numberofproducts=0\r\n");
    }

    // Publishes a product of the given files (relative name -> bytes).
    void publish(const std::string& name, const std::map<std::string, std::string>& files, const std::string& path = "",
                 const std::string& version = "2") {
        const std::filesystem::path folder = temp / "products" / name;
        std::filesystem::remove_all(folder);
        for (const auto& [file, bytes] : files) write_file(folder / file, bytes);
        publish_update({folder, served(), name, version, path, "2026-12-10"});
    }

    std::filesystem::path served() const { return temp / "served"; }
    std::filesystem::path program() const { return temp / "program"; }
    std::string program_folder() const { return program().string() + "/"; }
    IniFile local_catalogue() const { return IniFile(program() / "updates.ini"); }

    TempFolder temp;
    LoopbackServer server{make_served(temp.path() / "served")};

private:
    static std::filesystem::path make_served(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder);
        return folder;
    }
};

}  // namespace qd::testing
