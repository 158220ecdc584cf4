#include "updater/engine/check_running_applications.h"

#include <optional>

#include "platform/text_forms.h"

namespace qd {

namespace {

bool contains(const std::string& text, std::string_view word) { return text.find(word) != std::string::npos; }

bool is_product_window(const std::string& title) {
    const std::string lower = to_lower_ascii(title);
    return contains(lower, "gridlab") && contains(lower, "velqor") &&
           !(contains(lower, "microsoft") && contains(lower, "explorer"));
}

}  // namespace

bool CheckRunningApplications(TopWindows& windows, Dialogs& dialogs) {
    for (const TopWindow& window : windows.list()) {
        if (!is_product_window(window.title)) continue;
        // The window is looked up again, as it may have closed meanwhile; by
        // its id, since two consoles share one title and asking about the
        // first again would leave the second running.
        std::optional<TopWindow> found;
        for (const TopWindow& candidate : windows.list())
            if (candidate.id == window.id) {
                found = candidate;
                break;
            }
        if (!found) continue;
        windows.show_normal(found->id);
        const std::string question = window.title + "\n\n" + "This application must be shut down before updates can continue." +
                                     "\n" + "Would you like to close it now?";
        if (dialogs.message(question, window.title, DialogButtons::yes_no, DialogIcon::warning) == DialogAnswer::no) return false;
        windows.request_close(found->id);
    }
    return true;
}

}  // namespace qd
