#pragma once
// One download that is trusted only when it is whole: the server answered
// 200, the body is exactly as long as its Content-Length (no shorter because
// the connection dropped, no longer because the server went on), not larger
// than the caller allows, and it never stopped sending for the stall time.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/transfer.h"

namespace qd {

struct DownloadTimes {
    // No byte for this long ends the download.
    std::chrono::milliseconds stall{30'000};
    // A server that keeps the connection open after the last promised byte
    // is taken at its word after this long.
    std::chrono::milliseconds settle{2'000};
};

struct DownloadRules {
    bool length_required = true;  // a response without Content-Length is refused
    std::int64_t most_bytes = 0;  // a larger (announced or received) body is refused
    DownloadTimes times;
};

struct DownloadHandlers {
    // Once the head is accepted, with the announced length if there is one.
    std::function<void(std::optional<std::int64_t> length)> on_head;
    // Each piece of the body as it arrives, with the bytes received so far.
    std::function<void(std::string_view piece, std::int64_t received)> on_piece;
    // Between two steps of the transfer (at least every 50 ms): the window's events.
    std::function<void()> between_steps;
};

// Why a download is not trusted.
struct DownloadFault {
    std::string reason;
};

// Throws DownloadFault; the handlers' own exceptions pass through.
void download_whole(Transfer& transfer, const std::string& url, const DownloadRules& rules, const DownloadHandlers& handlers);

}  // namespace qd
