#pragma once
// Real programs that the update tests start and stop: the loopback web
// server and the proxies. Each runs in its own process group, which the
// destructor ends, so a test never leaves one behind.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qd::testing {

class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& command, const std::filesystem::path& working_folder = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line the program wrote (standard output and error), or nothing by the deadline.
    std::optional<std::string> read_line(std::chrono::milliseconds timeout);
    // Waits for the program to end; its exit status, or -1 when it did not end by the deadline.
    int wait_for_exit(std::chrono::milliseconds timeout);
    // Ends the program's process group now.
    void stop();

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string pending_;
    bool reaped_ = false;
};

// A port on 127.0.0.1 held for the test by a bound socket that does not
// listen. While it is held, connections to it are refused and the system
// hands it to no other program, so a port never passes from one test to
// another between its choice and its use. A proxy that binds it with
// SO_REUSEADDR (tinyproxy, microsocks and dante all do) can still listen on it.
class ReservedPort {
public:
    ReservedPort();
    ~ReservedPort();
    ReservedPort(const ReservedPort&) = delete;
    ReservedPort& operator=(const ReservedPort&) = delete;

    int number() const { return number_; }
    std::string text() const { return std::to_string(number_); }

private:
    int socket_ = -1;
    int number_ = 0;
};

// True once something accepts connections on 127.0.0.1:port.
bool wait_for_port(int port, std::chrono::milliseconds timeout);

}  // namespace qd::testing
