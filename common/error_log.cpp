#include "common/error_log.h"

#include <cstdio>

#include "platform/failure.h"
#include "platform/file_for_writing.h"

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
        const std::string date_time = clock_.general_date_time();
        std::string line;
        // A link planted in the log's place is replaced, and the first entry says so.
        if (auto notice = planted_link_notice(file_))
            line = format_entry(date_time, handler_label, source_label, static_cast<int>(FailureCode::file_access_error), *notice);
        line += format_entry(date_time, handler_label, source_label, code, description);
        // Opened and closed per entry, so two running copies can share the file.
        if (std::FILE* file = open_stream_for_writing(file_, WriteMode::append)) {
            std::fwrite(line.data(), 1, line.size(), file);
            std::fclose(file);
        }
    } catch (...) {
        // Logging must never stop the procedure that failed.
    }
}

void ErrorLog::report_planted_link(std::string_view handler_label, std::string_view source_label,
                                   const std::filesystem::path& file) const noexcept {
    try {
        if (auto notice = planted_link_notice(file))
            append(handler_label, source_label, static_cast<int>(FailureCode::file_access_error), *notice);
    } catch (...) {
    }
}

FileNotice ErrorLog::notices_for(std::string_view handler_label, std::string_view source_label) const {
    return [this, handler = std::string(handler_label), source = std::string(source_label)](const std::string& notice) {
        append(handler, source, static_cast<int>(FailureCode::file_access_error), notice);
    };
}

}  // namespace qd
