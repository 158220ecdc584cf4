#pragma once
// "error.log": one line per failed step of a guarded procedure, appended and
// never read back. A log that cannot be written is passed over silently.
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/file_for_writing.h"

namespace qd {

class ErrorLog {
public:
    explicit ErrorLog(const Clock& clock, std::filesystem::path file = "error.log");

    // "<date time> - <handler> - <source><code> - <description> - " and CR LF.
    void append(std::string_view handler_label, std::string_view source_label, int code,
                std::string_view description) const noexcept;

    static std::string format_entry(std::string_view date_time, std::string_view handler_label, std::string_view source_label,
                                    int code, std::string_view description);

    // Logs, with the procedure's labels, that a symbolic link stood where
    // `file` is about to be written (the writer replaces it by a plain file).
    void report_planted_link(std::string_view handler_label, std::string_view source_label,
                             const std::filesystem::path& file) const noexcept;

    // What a part without a log of its own tells is logged with these labels.
    FileNotice notices_for(std::string_view handler_label, std::string_view source_label) const;

private:
    const Clock& clock_;
    std::filesystem::path file_;
};

}  // namespace qd
