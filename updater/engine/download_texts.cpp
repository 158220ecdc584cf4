#include "updater/engine/download_texts.h"

#include <cstdio>
#include <cstdlib>

namespace qd {

namespace {

std::string with_decimals(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::string rate_text(double r) {
    if (r < 1e3) return "0.0 KB/Sec";
    if (r < 1e6) return with_decimals(r / 1e3, 0) + " KB/Sec";
    if (r < 1e9) return with_decimals(r / 1e6, 1) + " MB/Sec";
    return with_decimals(r / 1e9, 1) + " GB/Sec";
}

DownloadEstimate EstimateDownloadTime(int total_kilobytes, float kilobytes_per_second) {
    // The seconds keep one decimal, as shown, before they are compared.
    const float exact = static_cast<float>(total_kilobytes) / kilobytes_per_second;
    const double seconds = std::strtod(with_decimals(exact, 1).c_str(), nullptr);
    if (seconds >= 60) return {with_decimals(seconds / 60, 1), "Min"};
    return {with_decimals(seconds, 1), "Sec"};
}

}  // namespace qd
