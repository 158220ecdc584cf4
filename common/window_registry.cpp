#include "common/window_registry.h"

namespace qd {

void WindowRegistry::define(const std::string& name, Factory factory) { factories_[name] = std::move(factory); }

ManagedWindow& WindowRegistry::load(const std::string& name) {
    if (auto found = windows_.find(name); found != windows_.end() && found->second) return *found->second;
    auto factory = factories_.find(name);
    if (factory == factories_.end()) throw Failure(FailureCode::invalid_call, "Unknown window " + name);
    std::unique_ptr<ManagedWindow> window = factory->second();
    if (!window) throw Failure(FailureCode::unexpected, "Window " + name + " could not be created");
    // Registered before its load runs: the load may use other windows whose
    // own loads ask for this one again, and must find it, not create a second.
    ManagedWindow& loaded = *window;
    windows_[name] = std::move(window);
    load_numbers_[name] = ++loads_;
    loaded.run_load();
    return loaded;
}

ManagedWindow* WindowRegistry::find(const std::string& name) const {
    auto found = windows_.find(name);
    return found == windows_.end() ? nullptr : found->second.get();
}

void WindowRegistry::unload(const std::string& name) {
    auto found = windows_.find(name);
    if (found == windows_.end() || !found->second) return;
    // Taken out first, so close handling that unloads this window again is harmless.
    std::unique_ptr<ManagedWindow> window = std::move(found->second);
    windows_.erase(found);
    load_numbers_.erase(name);
    window->unload_handling();
}

std::uint64_t WindowRegistry::load_number(const std::string& name) const {
    const auto found = load_numbers_.find(name);
    return found == load_numbers_.end() ? 0 : found->second;
}

void WindowRegistry::unload_if_same(const std::string& name, std::uint64_t load_number) {
    if (load_number != 0 && this->load_number(name) == load_number) unload(name);
}

std::map<std::string, ManagedWindow*> WindowRegistry::loaded() const {
    std::map<std::string, ManagedWindow*> result;
    for (const auto& [name, window] : windows_)
        if (window) result[name] = window.get();
    return result;
}

}  // namespace qd
