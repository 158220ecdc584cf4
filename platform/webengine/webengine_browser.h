#pragma once
// The browser over QtWebEngine. This library is the only part of the program
// that links the web engine; windows see the Browser interface only.
#include <memory>

#include "platform/browser.h"
#include "platform/webengine/browser_probe.h"

namespace qd {

class WebEngineBrowserFactory final : public BrowserFactory {
public:
    WebEngineBrowserFactory();
    ~WebEngineBrowserFactory() override;
    void warm_up() override;
    std::unique_ptr<Browser> create() override;

private:
    std::unique_ptr<Browser> spare_;
};

}  // namespace qd
