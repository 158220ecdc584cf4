#include "common/error_log.h"

#include <cstdio>

namespace qd {

ErrorLog::ErrorLog(const Clock& clock, std::filesystem::path file) : clock_(clock), file_(std::move(file)) {}

std::string ErrorLog::format_entry(std::string_view date_time, std::string_view handler_label, std::string_view source_label,
                                   int code, std::string_view description) {
    std::string line;
    line.append(date_time).append(" - ").append(handler_label).append(" - ").append(source_label);
    line.append(std::to_string(code)).append(" - ").append(description).append(" - \r\n");
    return line;
}

void ErrorLog::append(std::string_view handler_label, std::string_view source_label, int code,
                      std::string_view description) const noexcept {
    try {
        const std::string line = format_entry(clock_.general_date_time(), handler_label, source_label, code, description);
        // Opened and closed per entry, so two running copies can share the file.
        if (std::FILE* file = std::fopen(file_.c_str(), "ab")) {
            std::fwrite(line.data(), 1, line.size(), file);
            std::fclose(file);
        }
    } catch (...) {
        // Logging must never stop the procedure that failed.
    }
}

}  // namespace qd
