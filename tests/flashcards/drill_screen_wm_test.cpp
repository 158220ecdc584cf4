// The drill screen on a desktop with a real window manager (openbox under
// Xvfb, started by CTest): it covers the whole screen, without a frame or
// title bar, while an ordinary window of the same program is decorated.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "../common/fake_window.h"
#include "flashcards/flash_card_window.h"
#include "gui_test.h"
#include "program_world.h"

namespace qd {
namespace {

// What the window manager says about a window, asked on a connection of our own.
class Desktop {
public:
    Desktop() : connection_(xcb_connect(nullptr, nullptr)) {}
    ~Desktop() { xcb_disconnect(connection_); }
    bool ok() const { return connection_ && !xcb_connection_has_error(connection_); }

    bool window_manager_running() { return !cardinals(root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW).empty(); }
    // Left, right, top and bottom border widths; empty until the window manager frames the window.
    std::vector<std::uint32_t> frame_extents(xcb_window_t window) {
        return cardinals(window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    }
    bool full_screen(xcb_window_t window) {
        const xcb_atom_t wanted = atom("_NET_WM_STATE_FULLSCREEN");
        for (std::uint32_t state : cardinals(window, "_NET_WM_STATE", XCB_ATOM_ATOM))
            if (state == wanted) return true;
        return false;
    }
    // The window's place on the screen and its size.
    QRect on_screen(xcb_window_t window) {
        using Geometry = std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)>;
        Geometry geometry(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr), &std::free);
        using Place = std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)>;
        Place place(
            xcb_translate_coordinates_reply(connection_, xcb_translate_coordinates(connection_, window, root(), 0, 0), nullptr),
            &std::free);
        if (!geometry || !place) return {};
        return QRect(place->dst_x, place->dst_y, geometry->width, geometry->height);
    }

private:
    xcb_window_t root() const { return xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root; }
    xcb_atom_t atom(const char* name) {
        using Reply = std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)>;
        Reply reply(xcb_intern_atom_reply(
                        connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
                    &std::free);
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }
    std::vector<std::uint32_t> cardinals(xcb_window_t window, const char* name, xcb_atom_t type) {
        using Reply = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;
        Reply reply(xcb_get_property_reply(connection_, xcb_get_property(connection_, 0, window, atom(name), type, 0, 64), nullptr),
                    &std::free);
        if (!reply || reply->format != 32) return {};
        const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
        return {values, values + xcb_get_property_value_length(reply.get()) / 4};
    }

    xcb_connection_t* connection_;
};

class DrillScreenUnderWindowManager : public ::testing::Test, protected testing::ProgramWorld {
protected:
    static void SetUpTestSuite() { testing::gui_application(); }

    DrillScreenUnderWindowManager() {
        for (int i = 1; i <= 3; ++i) {
            state.table.at(i).question_text = "Which two statements are true?";
            state.table.at(i).answers = {"", "yes", "no", "", "", "", ""};
        }
        state.bank.question_count = 3;
        for (const char* name : {kMainMenu, kStartWindow})
            windows.define(name, [this, name] { return std::make_unique<testing::FakeWindow>(name, events); });
        windows.define(kFlashCardWindow, [this] { return create_flash_card_window(services, random, top_windows); });
    }

    // Waits until the window manager has framed the window. A window mapped
    // while the window manager is still starting is never managed, so the
    // window is shown anew until it is.
    std::vector<std::uint32_t> framed(QWidget& window) {
        const auto id = static_cast<xcb_window_t>(window.winId());
        std::vector<std::uint32_t> extents;
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (attempt > 0) {
                window.hide();
                window.show();
            }
            if (QTest::qWaitFor([&] { return (extents = desktop.frame_extents(id)).size() == 4; }, 1000)) break;
        }
        EXPECT_EQ(extents.size(), 4u) << "the window manager never framed the window";
        return extents;
    }

    Desktop desktop;
    testing::ScriptedRandom random;
    testing::FakeTopWindows top_windows;
    std::vector<std::string> events;
};

TEST_F(DrillScreenUnderWindowManager, coversTheWholeScreenWithoutAFrame) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    ASSERT_TRUE(desktop.ok());
    ASSERT_TRUE(QTest::qWaitFor([&] { return desktop.window_manager_running(); }, 10000)) << "no window manager";

    // The reference: an ordinary window gets the window manager's frame.
    QWidget ordinary;
    ordinary.resize(300, 200);
    ordinary.show();
    const auto ordinary_frame = framed(ordinary);
    ASSERT_EQ(ordinary_frame.size(), 4u);
    EXPECT_GT(ordinary_frame[2], 0u) << "an ordinary window has a title bar";

    state.drill_screen_start = 1;
    windows.show(kFlashCardWindow);
    auto& drill = *static_cast<FlashCardHandle&>(windows.load(kFlashCardWindow)).window();
    ASSERT_TRUE(drill.drill_mode());
    const auto id = static_cast<xcb_window_t>(drill.winId());
    EXPECT_EQ(framed(drill), (std::vector<std::uint32_t>{0, 0, 0, 0}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return desktop.full_screen(id); }, 10000)) << "not full screen for the window manager";
    const QRect whole_screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(QTest::qWaitFor([&] { return desktop.on_screen(id) == whole_screen; }, 10000))
        << "at " << desktop.on_screen(id).x() << "," << desktop.on_screen(id).y() << " size " << desktop.on_screen(id).width()
        << "x" << desktop.on_screen(id).height();
    EXPECT_EQ(process_end.ends, 0);
}

}  // namespace
}  // namespace qd
