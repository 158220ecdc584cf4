#pragma once
// The embedded HTML browser that windows show their pages in. Only this
// interface is seen by the windows; the engine behind it lives in one library.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace qd {

// One control of the page's form "frm", in document order.
struct FormControl {
    std::string name;
    std::string type;  // "radio", "checkbox", "text", "button", ...
    std::string value;
    bool checked = false;
};
using FormSnapshot = std::vector<FormControl>;

class Browser {
public:
    virtual ~Browser() = default;

    // The widget to place in a window.
    virtual QWidget* widget() = 0;

    // Goes to the address and waits (a bounded time) until it has loaded.
    virtual void navigate(const std::string& address) = 0;
    // Replaces the document with `html`, whose relative addresses resolve in
    // `base_folder`. Returns once the new document is there (false when it did
    // not arrive in a bounded time); input from the user waits meanwhile, so
    // no click lands on a half-replaced page.
    virtual bool write_document(const std::string& html, const std::string& base_folder) = 0;
    // Lets pending events run while the browser is busy (bounded).
    virtual void wait_while_busy() = 0;

    // A script run in every document after the page's own scripts, for what
    // the page expects of a browser that this engine does not do itself.
    virtual void set_page_script(const std::string& script) = 0;

    virtual bool has_element(const std::string& id) = 0;
    // Calls `on_click` whenever the element with this id of the current
    // document is clicked; a later document drops the hook.
    virtual void hook_click(const std::string& id, std::function<void()> on_click) = 0;

    // The form "frm" of the current document as it is at this moment: every
    // change the user made before this call is in it.
    virtual FormSnapshot read_form() = 0;

    // Calls `on_signal` with the name a page script passes to
    // `window.__qd.signal(name)`, for keys and gestures the window handles.
    virtual void on_page_signal(std::function<void(const std::string&)> on_signal) = 0;

    // Calls `on_painted` each time a written document has been drawn.
    virtual void on_page_painted(std::function<void()> on_painted) = 0;

    virtual void focus_page() = 0;

    // Where a link the user follows goes: by default to the desktop's own
    // programs, so a window's page is never replaced; with a handler, to it
    // (a document window follows its own pages in place).
    virtual void on_link_followed(std::function<void(const std::string& address)> on_link) = 0;
    // The address of the current document.
    virtual std::string address() const = 0;
    // Goes back to the previous document; false when there is none.
    virtual bool go_back() = 0;
    virtual bool can_go_back() const = 0;

    // Prints the page after the print dialog; false when printing failed. A
    // dialog the user cancelled is no failure: nothing is printed, no error shown.
    virtual bool print_with_dialog() = 0;
};

class BrowserFactory {
public:
    virtual ~BrowserFactory() = default;
    // Starts the engine and prepares one browser ahead, so that the first page
    // shown later appears at once. Never needed for correctness.
    virtual void warm_up() = 0;
    // A browser for a window: the one prepared by warm_up when there is one.
    virtual std::unique_ptr<Browser> create() = 0;
};

}  // namespace qd
