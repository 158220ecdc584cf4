#pragma once
// The "Internet Options" page's choices and how they become the transfer's
// proxy settings. Each mode speaks the protocol its name says.
#include <string>

#include "platform/transfer.h"

namespace qd {

// Positions of the proxy choices in the page's list.
enum class ProxyMode : int { none = 0, normal = 1, socks4 = 2, socks5 = 3 };

struct InternetOptions {
    int mode = 0;  // list position; anything else than the four choices connects directly
    std::string proxy_ip;
    std::string proxy_port;
    std::string username;
    std::string password;
};

// Which of the page's fields a mode uses.
struct ProxyFields {
    bool address = false;  // proxy IP and port
    bool username = false;
    bool password = false;
};
ProxyFields fields_of_mode(int mode);

// "None": direct. "Normal": an HTTP proxy, with basic authentication when a
// user name is given. "SOCKS4": SOCKS4 with the user name as its user id.
// "SOCKS5": SOCKS5 with user name and password. Fields a mode does not use
// are not passed on, whatever they hold.
ProxySettings proxy_settings_for(const InternetOptions& options);

void SetInetVariables(Transfer& transfer, const InternetOptions& options);

}  // namespace qd
