#include "updater/digest/sha256.h"

#include <openssl/evp.h>

#include <fstream>
#include <memory>
#include <vector>

namespace qd {

namespace {

struct ContextFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

class Digest {
public:
    Digest() : context_(EVP_MD_CTX_new()) { EVP_DigestInit_ex(context_.get(), EVP_sha256(), nullptr); }
    void add(const char* bytes, std::size_t size) { EVP_DigestUpdate(context_.get(), bytes, size); }
    std::string text() {
        unsigned char sum[EVP_MAX_MD_SIZE];
        unsigned int size = 0;
        EVP_DigestFinal_ex(context_.get(), sum, &size);
        static constexpr char digits[] = "0123456789abcdef";
        std::string out;
        for (unsigned int i = 0; i < size; ++i) {
            out += digits[sum[i] >> 4];
            out += digits[sum[i] & 15];
        }
        return out;
    }

private:
    std::unique_ptr<EVP_MD_CTX, ContextFree> context_;
};

}  // namespace

std::string sha256_text(std::string_view bytes) {
    Digest digest;
    digest.add(bytes.data(), bytes.size());
    return digest.text();
}

std::optional<std::string> sha256_text_of_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    Digest digest;
    std::vector<char> block(1 << 20);
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        digest.add(block.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return digest.text();
}

bool is_sha256_text(std::string_view text) {
    if (text.size() != 64) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

}  // namespace qd
