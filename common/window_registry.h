#pragma once
// The program's windows by name, with the life the program relies on: a
// window is created on first use (which runs its load), shown and hidden, and
// destroyed on unload (which runs its close handling); a later use creates it
// afresh and so runs its load again.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/failure.h"

namespace qd {

class ManagedWindow {
public:
    virtual ~ManagedWindow() = default;
    virtual void show_window() = 0;
    virtual void hide_window() = 0;
    virtual bool window_visible() const = 0;
    virtual std::string window_title() const = 0;
    // Outer size and position in twips, for placing the window on the screen.
    virtual int width_twips() const = 0;
    virtual int height_twips() const = 0;
    virtual void move_to_twips(int left, int top) = 0;
    // The window's load, run once the window is registered, so that a load
    // which uses other windows may ask for this one again.
    virtual void run_load() {}
    // The window's close handling, run by unload before it is destroyed.
    virtual void unload_handling() {}
};

class WindowRegistry {
public:
    using Factory = std::function<std::unique_ptr<ManagedWindow>()>;

    void define(const std::string& name, Factory factory);
    bool is_defined(const std::string& name) const { return factories_.count(name) != 0; }

    // The loaded window, creating it (and so running its load) when needed.
    ManagedWindow& load(const std::string& name);
    ManagedWindow* find(const std::string& name) const;
    bool is_loaded(const std::string& name) const { return find(name) != nullptr; }

    void show(const std::string& name) { load(name).show_window(); }
    // Like setting a window invisible, this loads a window that is not loaded.
    void hide(const std::string& name) { load(name).hide_window(); }
    // Runs the close handling and destroys the window; nothing when not loaded.
    void unload(const std::string& name);

    // Which load the loaded window came from (0 when none is loaded). A later
    // load of the same name has another number, so an unload put off until
    // later can tell the window it meant from one loaded since.
    std::uint64_t load_number(const std::string& name) const;
    // Unloads the window only while it is still the one of `load_number`.
    void unload_if_same(const std::string& name, std::uint64_t load_number);

    template <class Window>
    Window& get(const std::string& name) {
        if (auto* window = dynamic_cast<Window*>(&load(name))) return *window;
        throw Failure(FailureCode::invalid_call, "Window " + name + " is not of the expected kind");
    }

    // The loaded window as the kind asked for; none when it is not loaded or of another kind.
    template <class Window>
    Window* find_as(const std::string& name) const {
        return dynamic_cast<Window*>(find(name));
    }

    // Every loaded window's title, for closing windows by title.
    std::map<std::string, ManagedWindow*> loaded() const;

private:
    std::map<std::string, Factory> factories_;
    std::map<std::string, std::unique_ptr<ManagedWindow>> windows_;
    std::map<std::string, std::uint64_t> load_numbers_;
    std::uint64_t loads_ = 0;
};

}  // namespace qd
