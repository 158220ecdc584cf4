#include <gtest/gtest.h>

#include "common/window_names.h"
#include "fake_window.h"

namespace qd {
namespace {

class Registry : public ::testing::Test {
protected:
    void define(const std::string& name) {
        windows.define(name, [this, name] { return std::make_unique<testing::FakeWindow>(name, events); });
    }
    std::vector<std::string> events;
    WindowRegistry windows;
};

TEST_F(Registry, loadRunsOnceUntilUnloadAndAgainAfterIt) {
    define("quest");
    windows.show("quest");
    windows.hide("quest");
    windows.show("quest");
    windows.unload("quest");
    windows.unload("quest");  // not loaded any more: nothing happens
    EXPECT_FALSE(windows.is_loaded("quest"));
    windows.hide("quest");  // hiding an unloaded window loads it
    EXPECT_EQ(events, (std::vector<std::string>{"load quest", "unload quest", "load quest"}));
    EXPECT_FALSE(windows.load("quest").window_visible());
}

TEST_F(Registry, aPutOffUnloadLeavesAWindowLoadedSinceAlone) {
    define("quest");
    windows.load("quest");
    const std::uint64_t first = windows.load_number("quest");
    windows.unload("quest");
    windows.load("quest");  // a new quiz before the old one's unload came round
    windows.unload_if_same("quest", first);
    EXPECT_TRUE(windows.is_loaded("quest"));
    windows.unload_if_same("quest", windows.load_number("quest"));
    EXPECT_FALSE(windows.is_loaded("quest"));
    EXPECT_EQ(windows.load_number("quest"), 0u);
    windows.unload_if_same("quest", 0);  // nothing was loaded: nothing happens
    EXPECT_EQ(events, (std::vector<std::string>{"load quest", "unload quest", "load quest", "unload quest"}));
}

TEST_F(Registry, closeHandlingMayUnloadOtherWindowsAndItself) {
    define("quest");
    struct Closing : testing::FakeWindow {
        Closing(std::vector<std::string>& e, WindowRegistry& r) : FakeWindow("Welcome", e), registry(r) {}
        void unload_handling() override {
            FakeWindow::unload_handling();
            registry.unload("quest");
            registry.unload("Welcome");
        }
        WindowRegistry& registry;
    };
    windows.define("Welcome", [this] { return std::make_unique<Closing>(events, windows); });
    windows.load("quest");
    windows.load("Welcome");
    windows.unload("Welcome");
    EXPECT_EQ(events, (std::vector<std::string>{"load quest", "load Welcome", "unload Welcome", "unload quest"}));
    EXPECT_TRUE(windows.loaded().empty());
}

TEST_F(Registry, aLoadThatAsksForItsOwnWindowAgainFindsItRegistered) {
    // The main menu's load opens the quiz window, whose load asks for the main
    // menu again: both must see one main menu, loaded once.
    struct MainMenu : testing::FakeWindow {
        MainMenu(std::vector<std::string>& e, WindowRegistry& r) : FakeWindow(kMainMenu, e), registry(r) {}
        void run_load() override { registry.load(kQuizWindow); }
        WindowRegistry& registry;
    };
    struct Quiz : testing::FakeWindow {
        Quiz(std::vector<std::string>& e, WindowRegistry& r) : FakeWindow(kQuizWindow, e), registry(r) {}
        void run_load() override { found = &registry.load(kMainMenu); }
        WindowRegistry& registry;
        ManagedWindow* found = nullptr;
    };
    windows.define(kMainMenu, [this] { return std::make_unique<MainMenu>(events, windows); });
    windows.define(kQuizWindow, [this] { return std::make_unique<Quiz>(events, windows); });
    ManagedWindow& menu = windows.load(kMainMenu);
    EXPECT_EQ(windows.get<Quiz>(kQuizWindow).found, &menu);
    EXPECT_EQ(events, (std::vector<std::string>{"load pick_a_quiz", "load quest"}));
}

TEST_F(Registry, unknownWindowOrWrongKindIsAFailure) {
    EXPECT_THROW(windows.load("nowhere"), Failure);
    define("quest");
    struct Other {
        virtual ~Other() = default;
    };
    EXPECT_THROW(windows.get<Other>("quest"), Failure);
    EXPECT_NO_THROW(windows.get<testing::FakeWindow>("quest"));
}

}  // namespace
}  // namespace qd
