#include "platform/curl/curl_transfer.h"

#include <curl/curl.h>

#include <charconv>
#include <mutex>
#include <utility>

#include "platform/text_forms.h"

namespace qd {

namespace {

void initialise_curl_once() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// A header line's value when its name is `name` (any letter case), or nothing.
std::optional<std::string_view> header_value(std::string_view line, std::string_view name) {
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || !equals_ignoring_case(trim_blanks(line.substr(0, colon)), name)) return std::nullopt;
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && (value.back() == '\r' || value.back() == '\n')) value.remove_suffix(1);
    return trim_blanks(value);
}

// Digits only; anything else is no length at all.
std::optional<std::int64_t> parse_length(std::string_view text) {
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '-' || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

class CurlRequest final : public Request {
public:
    CurlRequest(const std::string& url, const ProxySettings& proxy) : multi_(curl_multi_init()), easy_(curl_easy_init()) {
        error_buffer_[0] = '\0';
        headers_ = curl_slist_append(nullptr, "Connection: close");
        curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(easy_, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
        curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers_);
        // The caller compares the body with the Content-Length itself.
        curl_easy_setopt(easy_, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
        curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT, 30L);
        curl_easy_setopt(easy_, CURLOPT_BUFFERSIZE, 256L * 1024);
        curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, error_buffer_);
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlRequest::on_body);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlRequest::on_header);
        curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy_, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
        // "" also keeps the environment's proxy variables out of a direct connection.
        std::string address = curl_proxy_address(proxy);
        curl_easy_setopt(easy_, CURLOPT_PROXY, address.c_str());
        if (proxy.kind != ProxyKind::direct && !proxy.user.empty())
            curl_easy_setopt(easy_, CURLOPT_PROXYUSERNAME, proxy.user.c_str());
        if ((proxy.kind == ProxyKind::http || proxy.kind == ProxyKind::socks5) && !proxy.user.empty())
            curl_easy_setopt(easy_, CURLOPT_PROXYPASSWORD, proxy.password.c_str());
        if (proxy.kind == ProxyKind::http) curl_easy_setopt(easy_, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
        curl_multi_add_handle(multi_, easy_);
    }

    ~CurlRequest() override {
        curl_multi_remove_handle(multi_, easy_);
        curl_easy_cleanup(easy_);
        curl_multi_cleanup(multi_);
        curl_slist_free_all(headers_);
    }

    RequestState advance(std::chrono::milliseconds wait) override {
        if (state_.ended) return state_;
        int running = 0;
        curl_multi_perform(multi_, &running);
        if (running > 0 && body_.empty()) {
            curl_multi_poll(multi_, nullptr, 0, static_cast<int>(wait.count()), nullptr);
            curl_multi_perform(multi_, &running);
        }
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
            if (message->msg != CURLMSG_DONE) continue;
            state_.ended = true;
            CURLcode result = message->data.result;
            if (result != CURLE_OK) state_.error = error_buffer_[0] ? error_buffer_ : curl_easy_strerror(result);
        }
        return state_;
    }

    std::string take_body() override { return std::exchange(body_, {}); }

private:
    static size_t on_body(char* data, size_t size, size_t count, void* self) {
        static_cast<CurlRequest*>(self)->body_.append(data, size * count);
        return size * count;
    }

    // Every response's head passes here, an interim one ("100 Continue") too;
    // the head is complete at the blank line after a final status.
    static size_t on_header(char* data, size_t size, size_t count, void* self) {
        auto& request = *static_cast<CurlRequest*>(self);
        std::string_view line(data, size * count);
        RequestState& state = request.state_;
        if (line.starts_with("HTTP/")) {
            std::size_t blank = line.find(' ');
            int status = 0;
            if (blank != std::string_view::npos) std::from_chars(line.data() + blank + 1, line.data() + line.size(), status);
            state.status = status;
            state.content_length.reset();
            state.head_complete = false;
        } else if (auto value = header_value(line, "Content-Length")) {
            state.content_length = parse_length(*value);
        } else if (line == "\r\n" || line == "\n") {
            if (state.status >= 200) state.head_complete = true;
        }
        return size * count;
    }

    CURLM* multi_;
    CURL* easy_;
    curl_slist* headers_;
    char error_buffer_[CURL_ERROR_SIZE];
    RequestState state_;
    std::string body_;
};

}  // namespace

std::string curl_proxy_address(const ProxySettings& proxy) {
    const char* scheme = "";
    switch (proxy.kind) {
        case ProxyKind::direct: return "";
        case ProxyKind::http: scheme = "http://"; break;
        case ProxyKind::socks4: scheme = "socks4://"; break;
        // The proxy resolves the server's name, as clients behind one often cannot.
        case ProxyKind::socks5: scheme = "socks5h://"; break;
    }
    std::string address = scheme + proxy.host;
    if (!proxy.port.empty()) address += ":" + proxy.port;
    return address;
}

CurlTransfer::CurlTransfer() { initialise_curl_once(); }

void CurlTransfer::set_proxy(const ProxySettings& proxy) { proxy_ = proxy; }

std::unique_ptr<Request> CurlTransfer::get(const std::string& url) { return std::make_unique<CurlRequest>(url, proxy_); }

}  // namespace qd
