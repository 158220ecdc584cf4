#pragma once
// File names, default values and failure texts of the catalogue.
#include <string_view>

namespace qd::catalogue {

inline constexpr std::string_view kLocalFile = "updates.ini";
inline constexpr std::string_view kRemoteFile = "updates.temp.ini";

// Values are read through a buffer of this size, so 255 characters are used.
inline constexpr std::size_t kValueBuffer = 256;

// No catalogue of this product comes near this many products; a larger count
// is treated as a damaged catalogue instead of being read entry by entry.
inline constexpr int kMostProducts = 1000;

inline constexpr std::string_view kNoUrl = "<no url>";
inline constexpr std::string_view kNoName = "<no name>";
inline constexpr std::string_view kNoVersion = "<no verson>";
inline constexpr std::string_view kNoDate = "<no date>";
inline constexpr std::string_view kNoPath = "<no path>";
inline constexpr std::string_view kManualDownloadPage = "https://www.palverapress.example/updates/manual.htm";

inline constexpr std::string_view kLocalMissing = "updates.ini not found.  Please reinstall software.";
inline constexpr std::string_view kErrorRetrieving = "Error retrieving updates";
inline constexpr std::string_view kErrorReading = "Error Reading INI File";
inline constexpr std::string_view kErrorUpdating = "Error Updating INI File";

}  // namespace qd::catalogue
