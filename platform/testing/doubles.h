#pragma once
// Test doubles for the platform services that lie outside the program.
#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/event_pump.h"
#include "platform/pdf_reader_link.h"
#include "platform/program_starter.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/top_windows.h"

namespace qd::testing {

// Stands still at `time` (a test moves it on) and shows the texts it was given.
class FixedClock final : public Clock {
public:
    explicit FixedClock(std::string text = "12/10/2026 09:30:00", std::string weekday = "Thursday")
        : text_(std::move(text)), weekday_(std::move(weekday)) {}
    std::chrono::system_clock::time_point now() const override { return time; }
    std::string general_date_time() const override { return text_; }
    std::string weekday_name() const override { return weekday_; }

    std::chrono::system_clock::time_point time = std::chrono::sys_days{std::chrono::December / 10 / 2026} + std::chrono::hours(9);

    // A clock standing at `when`.
    static FixedClock at(std::chrono::system_clock::time_point when) {
        FixedClock clock;
        clock.time = when;
        return clock;
    }

private:
    std::string text_;
    std::string weekday_;
};

class RecordingShell final : public Shell {
public:
    void open(const std::string& document, ShowMode mode) override { opened.emplace_back(document, mode); }
    std::vector<std::pair<std::string, ShowMode>> opened;
};

class RecordingStarter final : public ProgramStarter {
public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        std::string working_folder;
    };
    bool start(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder) override {
        starts.push_back({program, arguments, folder});
        return succeed;
    }
    std::vector<Start> starts;
    bool succeed = true;
};

// Records the documents it is asked to show and answers with `outcome`.
class RecordingPdfReader final : public PdfReaderLink {
public:
    PdfOpenOutcome open_at_page(const std::string& document, int page_index) override {
        opened.emplace_back(document, page_index);
        return outcome;
    }
    std::vector<std::pair<std::string, int>> opened;
    PdfOpenOutcome outcome;
};

class CountingEventPump final : public EventPump {
public:
    void process_pending() override { ++calls; }
    int calls = 0;
};

// Draws the given numbers in turn, then `rest` for ever.
class ScriptedRandom final : public Random {
public:
    explicit ScriptedRandom(std::vector<double> draws = {}, double rest = 0.5) : draws_(std::move(draws)), rest_(rest) {}
    double next_unit() override { return next_ < draws_.size() ? draws_[next_++] : rest_; }
    void reseed_from_clock() override { ++reseeds; }
    int reseeds = 0;

private:
    std::vector<double> draws_;
    std::size_t next_ = 0;
    double rest_;
};

// A 1024 x 768 screen at 15 twips per pixel unless told otherwise.
class FixedScreen final : public Screen {
public:
    FixedScreen(int width_pixels = 1024, int height_pixels = 768, int twips_per_pixel = 15)
        : width_(width_pixels), height_(height_pixels), twips_(twips_per_pixel) {}
    int width_twips() const override { return width_ * twips_; }
    int height_twips() const override { return height_ * twips_; }
    int twips_per_pixel_x() const override { return twips_; }
    int twips_per_pixel_y() const override { return twips_; }

private:
    int width_, height_, twips_;
};

class FakeTopWindows final : public TopWindows {
public:
    std::vector<TopWindow> list() override { return windows; }
    void show_normal(std::uint64_t id) override { shown.push_back(id); }
    void request_close(std::uint64_t id) override { closed.push_back(id); }
    std::vector<TopWindow> windows;
    std::vector<std::uint64_t> shown;
    std::vector<std::uint64_t> closed;
};

}  // namespace qd::testing
