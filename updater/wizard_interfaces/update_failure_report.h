#pragma once
// The update utility's single failure path. ReportUpdateFailure offers the
// manual-download page and ends the program; it never returns, so a caller
// leaves nothing half done behind it that it would otherwise finish.
#include <string>

namespace qd {

class UpdateFailureReport {
public:
    virtual ~UpdateFailureReport() = default;

    // A message box with the error icon and the utility's title, shown before
    // some failures are reported ("Error retrieving updates").
    virtual void show_error_message(const std::string& text) = 0;

    [[noreturn]] virtual void ReportUpdateFailure(const std::string& text) = 0;
};

}  // namespace qd
