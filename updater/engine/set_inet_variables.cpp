#include "updater/engine/set_inet_variables.h"

namespace qd {

ProxyFields fields_of_mode(int mode) {
    switch (static_cast<ProxyMode>(mode)) {
        case ProxyMode::none: return {};
        // A web proxy may ask for a login as well; without these fields it could not be used.
        case ProxyMode::normal: return {true, true, true};
        case ProxyMode::socks4: return {true, true, false};
        case ProxyMode::socks5: return {true, true, true};
    }
    return {};
}

ProxySettings proxy_settings_for(const InternetOptions& options) {
    ProxySettings proxy;
    switch (static_cast<ProxyMode>(options.mode)) {
        case ProxyMode::normal: proxy.kind = ProxyKind::http; break;
        case ProxyMode::socks4: proxy.kind = ProxyKind::socks4; break;
        case ProxyMode::socks5: proxy.kind = ProxyKind::socks5; break;
        default: return proxy;
    }
    const ProxyFields fields = fields_of_mode(options.mode);
    proxy.host = options.proxy_ip;
    proxy.port = options.proxy_port;
    if (fields.username) proxy.user = options.username;
    if (fields.password) proxy.password = options.password;
    return proxy;
}

void SetInetVariables(Transfer& transfer, const InternetOptions& options) { transfer.set_proxy(proxy_settings_for(options)); }

}  // namespace qd
