#pragma once
// Doubles of the update wizard for tests: a failure report that throws
// instead of ending the program, and a progress page that records.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "updater/wizard_interfaces/update_failure_report.h"
#include "updater/wizard_interfaces/update_progress.h"

namespace qd::testing {

// Thrown where the real report ends the program.
struct ReportedFailure {
    std::string text;
};

class ThrowingFailureReport : public UpdateFailureReport {
public:
    void show_error_message(const std::string& text) override { messages.push_back(text); }
    [[noreturn]] void ReportUpdateFailure(const std::string& text) override { throw ReportedFailure{text}; }

    std::vector<std::string> messages;
};

class RecordingProgress : public UpdateProgress {
public:
    void set_bar(int value) override { bars.push_back(value); }
    void set_percent_label(const std::string& text) override { labels.push_back(text); }
    void process_pending_events() override { ++event_rounds; }

    std::vector<int> bars;
    std::vector<std::string> labels;
    int event_rounds = 0;
};

// The text reported by `action`, or nothing when it did not report.
template <typename Action>
std::optional<std::string> reported_by(Action&& action) {
    try {
        action();
    } catch (const ReportedFailure& failure) {
        return failure.text;
    }
    return std::nullopt;
}

}  // namespace qd::testing
