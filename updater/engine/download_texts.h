#pragma once
// The texts of the download pages: the transfer rate and the estimated time.
#include <string>

namespace qd {

// Kilobytes per second of the three connection choices.
inline constexpr float kRate56k = 5.2f;
inline constexpr float kRateCable = 50.0f;
inline constexpr float kRateT1 = 151.0f;

// "0.0 KB/Sec", "1 KB/Sec", "2.5 MB/Sec", "3.0 GB/Sec" for bytes per second.
std::string rate_text(double bytes_per_second);

struct DownloadEstimate {
    std::string value;  // one decimal: "60.0", "1.0"
    std::string unit;   // "Sec" or "Min"
};

// The time for total_kilobytes at kilobytes_per_second: seconds with one
// decimal, shown as minutes from 60 seconds on.
DownloadEstimate EstimateDownloadTime(int total_kilobytes, float kilobytes_per_second);

}  // namespace qd
