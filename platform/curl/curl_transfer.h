#pragma once
// The transfer service over libcurl. Redirects are not followed and only
// http and https are spoken. The body is read until the server closes the
// connection (each request asks it to), not merely up to its Content-Length,
// so a body that runs past the length it announced can be seen and refused.
#include "platform/transfer.h"

namespace qd {

class CurlTransfer final : public Transfer {
public:
    CurlTransfer();
    void set_proxy(const ProxySettings& proxy) override;
    std::unique_ptr<Request> get(const std::string& url) override;

private:
    ProxySettings proxy_;
};

// The proxy address libcurl is given: the scheme names the protocol spoken
// to the proxy ("http://", "socks4://", "socks5h://"), "" for no proxy.
std::string curl_proxy_address(const ProxySettings& proxy);

}  // namespace qd
