#pragma once
// The loopback web server of the update tests (loopback_server.py): it serves
// the files of a folder on 127.0.0.1, each whole or with the fault named in
// its NAME.fault file, and logs every request line.
#include <filesystem>
#include <string>

#include "child_process.h"

namespace qd::testing {

class LoopbackServer {
public:
    explicit LoopbackServer(const std::filesystem::path& folder);

    int port() const { return port_; }
    // "http://127.0.0.1:PORT/", the catalogue's "url".
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    // "truncated", "long", "endless", "missing", "nolength", "stall"; "" serves the file whole.
    void set_fault(const std::string& file, const std::string& fault) const;
    // The request lines so far, one per line, each with " via=" and the Via header.
    std::string log() const;

private:
    std::filesystem::path folder_;
    std::filesystem::path log_file_;
    ChildProcess process_;
    int port_ = 0;
};

}  // namespace qd::testing
