#include "updater/engine/whole_download.h"

#include <cstdio>

namespace qd {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kStep{50};

std::string bytes_text(std::int64_t bytes) { return std::to_string(bytes) + " bytes"; }

std::string seconds_text(std::chrono::milliseconds time) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(time.count()) / 1000);
    return text;
}

void check_head(const RequestState& state, const DownloadRules& rules) {
    if (state.status != 200) throw DownloadFault{"The server answered with status " + std::to_string(state.status) + "."};
    if (!state.content_length) {
        if (rules.length_required) throw DownloadFault{"The server's answer has no Content-Length."};
        return;
    }
    if (*state.content_length > rules.most_bytes)
        throw DownloadFault{"The server offers " + bytes_text(*state.content_length) + ", more than the " +
                            bytes_text(rules.most_bytes) + " expected."};
}

}  // namespace

void download_whole(Transfer& transfer, const std::string& url, const DownloadRules& rules, const DownloadHandlers& handlers) {
    std::unique_ptr<Request> request = transfer.get(url);
    bool head_taken = false;
    std::optional<std::int64_t> length;
    std::int64_t received = 0;
    Clock::time_point last_arrival = Clock::now();
    while (true) {
        if (handlers.between_steps) handlers.between_steps();
        const RequestState state = request->advance(kStep);
        const std::string piece = request->take_body();
        const Clock::time_point now = Clock::now();

        if (!head_taken && (state.head_complete || !piece.empty())) {
            check_head(state, rules);
            head_taken = true;
            length = state.content_length;
            if (handlers.on_head) handlers.on_head(length);
        }
        if (!piece.empty()) {
            last_arrival = now;
            received += static_cast<std::int64_t>(piece.size());
            if (length && received > *length)
                throw DownloadFault{"The server sent more than the " + bytes_text(*length) + " it announced."};
            if (received > rules.most_bytes)
                throw DownloadFault{"The server sent more than the " + bytes_text(rules.most_bytes) + " expected."};
            if (handlers.on_piece) handlers.on_piece(piece, received);
        }
        if (state.ended) {
            if (!state.error.empty()) throw DownloadFault{"The transfer failed: " + state.error};
            if (!head_taken) throw DownloadFault{"The server closed the connection without an answer."};
            if (length && received < *length)
                throw DownloadFault{"The connection ended after " + bytes_text(received) + " of " + bytes_text(*length) + "."};
            return;
        }
        if (length && received == *length && now - last_arrival >= rules.times.settle) return;
        if (now - last_arrival >= rules.times.stall)
            throw DownloadFault{"Nothing arrived from the server for " + seconds_text(rules.times.stall) + " seconds."};
    }
}

}  // namespace qd
