#include "platform/file_url.h"

namespace qd {

namespace {

// Characters a URL path holds as they are.
bool stays(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("-._~/!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::string file_url(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string address = "file://";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (stays(byte)) {
            address += c;
        } else {
            address += '%';
            address += kHex[byte >> 4];
            address += kHex[byte & 0x0F];
        }
    }
    return address;
}

}  // namespace qd
