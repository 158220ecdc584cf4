#include "loopback_server.h"

#include <stdexcept>

#include "temp_folder.h"

namespace qd::testing {

LoopbackServer::LoopbackServer(const std::filesystem::path& folder)
    : folder_(folder),
      log_file_(folder.parent_path() / (folder.filename().string() + ".requests.log")),
      process_({QD_PYTHON3, QUIZDECK_SOURCE_DIR "/tests/updater/loopback_server.py", folder.string(), "--log", log_file_.string()}) {
    auto line = process_.read_line(std::chrono::seconds(20));
    if (!line) throw std::runtime_error("the loopback server did not start");
    port_ = std::stoi(*line);
}

void LoopbackServer::set_fault(const std::string& file, const std::string& fault) const {
    std::error_code ignored;
    if (fault.empty()) std::filesystem::remove(folder_ / (file + ".fault"), ignored);
    else write_file(folder_ / (file + ".fault"), fault);
}

std::string LoopbackServer::log() const { return read_file(log_file_); }

}  // namespace qd::testing
