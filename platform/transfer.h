#pragma once
// The Internet transfer service: GET requests over HTTP or HTTPS, directly or
// through a proxy. The caller moves a request on step by step, so a window
// can handle its events between two steps and never waits long on one.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace qd {

enum class ProxyKind { direct, http, socks4, socks5 };

struct ProxySettings {
    ProxyKind kind = ProxyKind::direct;
    std::string host;
    std::string port;      // "" for the protocol's default port
    std::string user;      // HTTP and SOCKS5: the user name; SOCKS4: the user id
    std::string password;  // HTTP and SOCKS5
};

// What a request has brought so far.
struct RequestState {
    bool head_complete = false;                  // the final response's status line and headers are in
    int status = 0;                              // its status code
    std::optional<std::int64_t> content_length;  // its Content-Length, when it carried a valid one
    bool ended = false;                          // the connection is over, completely or not
    std::string error;                           // why it failed, or "" when it ended normally
};

class Request {
public:
    virtual ~Request() = default;
    // Moves the transfer on for at most `wait`; returns early when something arrived.
    virtual RequestState advance(std::chrono::milliseconds wait) = 0;
    // The body bytes received since the last call, exactly as the server sent
    // them, also past its Content-Length, so that the caller can judge.
    virtual std::string take_body() = 0;
};

class Transfer {
public:
    virtual ~Transfer() = default;
    // Applies to the requests started afterwards.
    virtual void set_proxy(const ProxySettings& proxy) = 0;
    virtual std::unique_ptr<Request> get(const std::string& url) = 0;
};

}  // namespace qd
