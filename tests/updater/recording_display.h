#pragma once
// The download page for tests without a window: it records what it was told
// to show, and its transfer clock runs on the steady clock.
#include <chrono>
#include <string>
#include <vector>

#include "update_doubles.h"
#include "updater/wizard_interfaces/update_display.h"

namespace qd::testing {

class RecordingDisplay final : public UpdateDisplay {
public:
    void set_bar(int value) override { bars.push_back(value); }
    void set_percent_label(const std::string& text) override { labels.push_back(text); }
    void process_pending_events() override { ++event_rounds; }
    void set_current_file(const std::string& name) override {
        if (files.empty() || files.back() != name) files.push_back(name);
    }
    void set_rate_text(const std::string& text) override { rates.push_back(text); }
    void hide_rate() override { rate_hidden = true; }
    void set_status_caption(const std::string& caption) override { captions.push_back(caption); }
    void start_transfer_clock() override { started_ = std::chrono::steady_clock::now(), running_ = true; }
    void stop_transfer_clock() override { running_ = false; }
    float elapsed_seconds() const override {
        if (!running_) return 0;
        std::chrono::duration<float> elapsed = std::chrono::steady_clock::now() - started_;
        return elapsed.count();
    }

    std::vector<int> bars;
    std::vector<std::string> labels;
    std::vector<std::string> files;
    std::vector<std::string> rates;
    std::vector<std::string> captions;
    bool rate_hidden = false;
    int event_rounds = 0;

private:
    std::chrono::steady_clock::time_point started_;
    bool running_ = false;
};

}  // namespace qd::testing
