#pragma once
// A window for registry tests that records what happens to it.
#include <string>
#include <vector>

#include "common/window_registry.h"

namespace qd::testing {

class FakeWindow : public ManagedWindow {
public:
    FakeWindow(std::string name, std::vector<std::string>& events, int width = 6000, int height = 4000)
        : name_(std::move(name)), events_(events), width_(width), height_(height) {
        events_.push_back("load " + name_);
    }
    void show_window() override { visible = true; }
    void hide_window() override { visible = false; }
    bool window_visible() const override { return visible; }
    std::string window_title() const override { return name_; }
    int width_twips() const override { return width_; }
    int height_twips() const override { return height_; }
    void move_to_twips(int l, int t) override {
        left = l;
        top = t;
    }
    void unload_handling() override { events_.push_back("unload " + name_); }

    bool visible = false;
    int left = 0, top = 0;

private:
    std::string name_;
    std::vector<std::string>& events_;
    int width_, height_;
};

}  // namespace qd::testing
