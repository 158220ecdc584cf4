#pragma once
// The update server of the guide's pictures: a folder on this computer. The
// maker's publish step fills it with a catalogue and packages, and the update
// utility fetches from it through ServedFolderTransfer, so its pages show real
// catalogue entries without any network.
#include <filesystem>
#include <memory>
#include <string>

#include "platform/transfer.h"

namespace qd {

// Answers every address with the file of the folder that has the address's
// last name ("https://host/navra/updates.ini" gives FOLDER/updates.ini), whole
// and at once; an address whose file is missing gets status 404.
class ServedFolderTransfer final : public Transfer {
public:
    explicit ServedFolderTransfer(std::filesystem::path folder) : folder_(std::move(folder)) {}
    void set_proxy(const ProxySettings&) override {}
    std::unique_ptr<Request> get(const std::string& url) override;

private:
    std::filesystem::path folder_;
};

// Publishes the guide's sample updates into `served` from what the program
// folder holds: a newer "navra_exam" with the data folder's pictures and
// exhibits, and the study guide as "navra_book". `work` holds the products'
// folders while they are packed. Throws PublishError or
// std::filesystem::filesystem_error.
void publish_sample_updates(const std::filesystem::path& program_folder, const std::filesystem::path& served,
                            const std::filesystem::path& work);

}  // namespace qd
