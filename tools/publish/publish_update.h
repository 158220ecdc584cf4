#pragma once
// Publishes one product update into a server folder: the package of the
// product folder, encoded as NAME.cmp, and its entry in the server's
// catalogue "updates.ini", added or raised to the new version.
#include <filesystem>
#include <stdexcept>
#include <string>

namespace qd {

class PublishError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PublishRequest {
    std::filesystem::path product_folder;  // every file below it goes into the package
    std::filesystem::path server_folder;   // holds updates.ini and the NAME.cmp files
    std::string name;                      // product name, base name of NAME.cmp
    std::string version;                   // decimal number, higher than the published one
    std::string path;                      // install folder below the program folder; "" for the program folder
    std::string date;                      // release date as shown to the user
};

struct PublishResult {
    int product_number;  // the catalogue section "product" + number
    int size_kilobytes;  // the "size" entered: NAME.cmp in kilobytes, rounded up
    std::size_t file_count;
};

// Throws PublishError, with nothing changed on the server, when a value is
// unusable, the version is not higher than the published one, the product
// folder is empty or holds what a package cannot carry, or the encoded
// package exceeds the 32767 kilobytes the update utility accepts, or the
// product folder holds a file named like the product's own download
// (NAME.cmp or NAME.pck), or a file that would replace one of the update
// utility's own files in the program folder ("updates.ini", "updates.temp.ini",
// "updates.new").
// NAME.cmp is in place before the catalogue names its version, so a client
// never reads an entry whose file is missing or unfinished.
PublishResult publish_update(const PublishRequest& request);

}  // namespace qd
