#include "platform/webengine/webengine_browser.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QWebChannel>
#include <QWebEngineHistory>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/colour_scheme.h"
#include "platform/webengine/browser_bridge.h"

namespace qd {
namespace {

constexpr int kLoadBoundMs = 5000;
constexpr int kReadBoundMs = 2000;
constexpr int kPrintBoundMs = 120000;
constexpr int kFlushBoundMs = 500;

// Lets events other than the user's input run until `done` or the bound
// passes; the user's clicks and keys wait until the caller returns.
bool wait_until(const std::function<bool()>& done, int bound_ms) {
    QTimer bound;
    bound.setSingleShot(true);
    bound.start(bound_ms);
    while (!done()) {
        if (!bound.isActive()) return false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

QString resource_text(const char* name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QString js_string(const std::string& text) {
    const QJsonArray wrapped{QString::fromStdString(text)};
    const QByteArray json = QJsonDocument(wrapped).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

// The colours a page is drawn in: its own under a light scheme, the dark
// scheme's when the program's windows are dark.
QString colours_declaration() {
    const QColor window = QGuiApplication::palette().color(QPalette::Window);
    const Rgb background{static_cast<std::uint8_t>(window.red()), static_cast<std::uint8_t>(window.green()),
                         static_cast<std::uint8_t>(window.blue())};
    if (!is_dark(background)) return "window.__qd_colours = null;";
    const ColourScheme& scheme = dark_scheme();
    return QString("window.__qd_colours = {name: %1, css: %2};").arg(js_string(scheme.name), js_string(page_colours_css(scheme)));
}

FormSnapshot parse_form(const QString& json) {
    FormSnapshot controls;
    for (const QJsonValue& item : QJsonDocument::fromJson(json.toUtf8()).array()) {
        const QJsonObject object = item.toObject();
        controls.push_back({object["name"].toString().toStdString(), object["type"].toString().toStdString(),
                            object["value"].toString().toStdString(), object["checked"].toBool()});
    }
    return controls;
}

// Links the user follows open in the desktop's own programs, so the page of
// the window is never replaced by something else.
class WindowPage final : public QWebEnginePage {
public:
    explicit WindowPage(QObject* parent) : QWebEnginePage(QWebEngineProfile::defaultProfile(), parent) {
        connect(this, &QWebEnginePage::newWindowRequested, this,
                [this](QWebEngineNewWindowRequest& request) { follow(request.requestedUrl()); });
    }
    std::function<void(const std::string&)> on_link;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool main_frame) override {
        if (type == NavigationTypeLinkClicked && main_frame && url.scheme() != "javascript") {
            // Handled once the engine has its answer: the handler may load a page.
            QMetaObject::invokeMethod(
                this, [this, url] { follow(url); }, Qt::QueuedConnection);
            return false;
        }
        return true;
    }

private:
    void follow(const QUrl& url) {
        if (on_link) on_link(url.toString().toStdString());
        else QDesktopServices::openUrl(url);
    }
};

// Notes whether the user's input went to the page since it was last asked.
class InputTracker final : public QObject {
public:
    explicit InputTracker(QWidget* target) : QObject(target) { target->installEventFilter(this); }
    bool take_input_seen() { return std::exchange(input_seen_, false); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::InputMethod:
            case QEvent::Wheel:
            case QEvent::TouchBegin: input_seen_ = true; break;
            default: break;
        }
        return false;
    }

private:
    bool input_seen_ = true;
};

class WebEngineBrowser final : public Browser, public BrowserProbe {
public:
    WebEngineBrowser() : view_(new QWebEngineView) {
        view_->setContextMenuPolicy(Qt::NoContextMenu);
        page_ = new WindowPage(view_);
        view_->setPage(page_);
        page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        page_->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, true);

        auto* channel = new QWebChannel(page_);
        bridge_ = new BrowserBridge;
        bridge_->setParent(channel);
        channel->registerObject("qd_bridge", bridge_);
        page_->setWebChannel(channel);
        bridge_->on_form_changed = [this](const QString& json) { reported_form_ = parse_form(json); };
        bridge_->on_element_clicked = [this](const QString& id) {
            QMetaObject::invokeMethod(
                view_, [this, id] { element_clicked(id.toStdString()); }, Qt::QueuedConnection);
        };
        bridge_->on_input_flushed = [this](int row) { flushed_row_ = row; };
        // Page events are handled after the channel's dispatch has returned, so
        // a handler may write the next document and wait for it.
        bridge_->on_page_signal = [this](const QString& name) {
            QMetaObject::invokeMethod(
                view_,
                [this, name] {
                if (on_signal_) on_signal_(name.toStdString());
                },
                Qt::QueuedConnection);
        };
        bridge_->on_page_painted = [this] {
            bridge_ready_ = true;
            if (on_painted_) on_painted_();
        };

        QWebEngineScript channel_script;
        channel_script.setName("qd_channel");
        channel_script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        channel_script.setWorldId(QWebEngineScript::MainWorld);
        channel_script.setSourceCode(resource_text(":/qtwebchannel/qwebchannel.js"));
        page_->scripts().insert(channel_script);
        install_ready_script();

        QObject::connect(page_, &QWebEnginePage::loadStarted, view_, [this] { loading_ = true; });
        QObject::connect(page_, &QWebEnginePage::loadFinished, view_, [this](bool) {
            loading_ = false;
            ++finished_loads_;
        });
    }

    ~WebEngineBrowser() override { delete view_.data(); }

    QWidget* widget() override { return view_; }

    void navigate(const std::string& address) override {
        const int before = finished_loads_;
        start_document();
        page_->load(QUrl::fromUserInput(QString::fromStdString(address)));
        wait_until([&] { return finished_loads_ > before; }, kLoadBoundMs);
    }

    bool write_document(const std::string& html, const std::string& base_folder) override {
        const int before = finished_loads_;
        start_document();
        QString base = QString::fromStdString(base_folder);
        if (!base.endsWith('/')) base += '/';
        page_->setHtml(QString::fromStdString(html), QUrl::fromLocalFile(base));
        return wait_until([&] { return finished_loads_ > before; }, kLoadBoundMs);
    }

    // Starts an empty document without waiting for it.
    void start_empty_document() {
        start_document();
        page_->setHtml("<html><body></body></html>");
    }

    void wait_while_busy() override {
        wait_until([this] { return !loading_; }, kLoadBoundMs);
    }

    void set_page_script(const std::string& script) override {
        page_script_ = QString::fromStdString(script);
        install_ready_script();
    }

    bool has_element(const std::string& id) override {
        const auto found = run_script("!!document.getElementById(" + js_string(id) + ")");
        return found && found->toBool();
    }

    std::string visible_text() override {
        const auto text = run_script("document.body ? document.body.innerText : ''");
        return text ? text->toString().toStdString() : std::string();
    }

    std::optional<PagePoint> element_center(const std::string& selector) override {
        const auto found = run_script(
            "(function (e) { if (!e) return null; e.scrollIntoView({block: 'nearest'});"
            " var r = e.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })"
            "(document.querySelector(" +
            js_string(selector) + "))");
        if (!found || found->isNull() || !found->isValid()) return std::nullopt;
        const QVariantList centre = found->toList();
        if (centre.size() != 2) return std::nullopt;
        return PagePoint{static_cast<int>(centre[0].toDouble()), static_cast<int>(centre[1].toDouble())};
    }

    void hook_click(const std::string& id, std::function<void()> on_click) override {
        hooks_[id] = std::move(on_click);
        page_->runJavaScript("window.__qd && (__qd.hooked[" + js_string(id) + "] = true);");
    }

    FormSnapshot read_form() override {
        // The page reports every change; reading it once more, after the
        // input already sent to it has been handled, makes sure a click just
        // before this call is in the answer.
        flush_input();
        if (const auto state = run_script("window.__qd ? __qd.formState() : null"); state && state->isValid() && !state->isNull())
            reported_form_ = parse_form(state->toString());
        return reported_form_;
    }

    void on_page_signal(std::function<void(const std::string&)> on_signal) override { on_signal_ = std::move(on_signal); }

    void on_page_painted(std::function<void()> on_painted) override { on_painted_ = std::move(on_painted); }

    void on_link_followed(std::function<void(const std::string&)> on_link) override { page_->on_link = std::move(on_link); }

    std::string address() const override { return page_->url().toString().toStdString(); }

    bool can_go_back() const override { return page_->history()->canGoBack(); }

    bool go_back() override {
        if (!page_->history()->canGoBack()) return false;
        const int before = finished_loads_;
        start_document();
        page_->history()->back();
        wait_until([&] { return finished_loads_ > before; }, kLoadBoundMs);
        return true;
    }

    void focus_page() override {
        view_->setFocus(Qt::OtherFocusReason);
        if (QWidget* proxy = view_->focusProxy()) proxy->setFocus(Qt::OtherFocusReason);
    }

    bool print_with_dialog() override {
        QPrinter printer;
        QPrintDialog dialog(&printer, view_);
        if (dialog.exec() != QDialog::Accepted) return true;  // cancelled: nothing to report
        std::optional<bool> printed;
        const auto connection = QObject::connect(view_, &QWebEngineView::printFinished, view_, [&](bool ok) { printed = ok; });
        view_->print(&printer);
        wait_until([&] { return printed.has_value(); }, kPrintBoundMs);
        QObject::disconnect(connection);
        return printed.value_or(false);
    }

    bool print_to_pdf(const std::string& file) override {
        std::optional<bool> printed;
        const auto connection = QObject::connect(page_, &QWebEnginePage::pdfPrintingFinished, view_,
                                                 [&](const QString&, bool ok) { printed = ok; });
        page_->printToPdf(QString::fromStdString(file));
        wait_until([&] { return printed.has_value(); }, kPrintBoundMs);
        QObject::disconnect(connection);
        return printed.value_or(false);
    }

private:
    void start_document() {
        follow_colour_scheme();
        hooks_.clear();
        reported_form_.clear();
    }

    // The scripts see the colour scheme of the moment a document starts.
    void follow_colour_scheme() {
        if (QString colours = colours_declaration(); colours != colours_) {
            colours_ = colours;
            install_ready_script();
        }
    }

    void install_ready_script() {
        for (const QWebEngineScript& old : page_->scripts().find("qd_ready")) page_->scripts().remove(old);
        if (colours_.isEmpty()) colours_ = colours_declaration();
        QWebEngineScript ready;
        ready.setName("qd_ready");
        ready.setInjectionPoint(QWebEngineScript::DocumentReady);
        ready.setWorldId(QWebEngineScript::MainWorld);
        ready.setSourceCode(resource_text(":/quizdeck/bridge_script.js") + "\n" + colours_ + "\n" +
                            resource_text(":/quizdeck/page_access.js") + "\n;(function () { try {\n" + page_script_ +
                            "\n} catch (error) {} })();\n");
        page_->scripts().insert(ready);
    }

    // The script's value, or nothing when the page did not answer in time.
    std::optional<QVariant> run_script(const QString& script) {
        struct Answer {
            std::optional<QVariant> value;
        };
        auto answer = std::make_shared<Answer>();
        page_->runJavaScript(script, [answer](const QVariant& value) { answer->value = value; });
        wait_until([&] { return answer->value.has_value(); }, kReadBoundMs);
        return answer->value;
    }

    // Sends a mouse move behind the input on its way to the page and waits
    // (bounded) until the page has seen it.
    void flush_input() {
        QWidget* target = view_->focusProxy();
        if (!target || !target->isVisible() || target->height() < 2 || !bridge_ready_) return;
        if (!input_tracker_ || input_tracker_->parent() != target) input_tracker_ = new InputTracker(target);
        if (!input_tracker_->take_input_seen()) return;  // nothing sent to the page since the last read
        const int row = 1 + (++flush_serial_ % (target->height() - 1));
        flushed_row_ = -1;
        const QPointF where(0, row);
        if (!pointer_inside_) {  // the page takes moves only once the pointer has entered it
            QEnterEvent enter(where, where, target->mapToGlobal(where));
            QCoreApplication::sendEvent(target, &enter);
            pointer_inside_ = true;
        }
        QMouseEvent move(QEvent::MouseMove, where, target->mapToGlobal(where), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        wait_until([&] { return flushed_row_ == row; }, kFlushBoundMs);
    }

    void element_clicked(const std::string& id) {
        const auto hook = hooks_.find(id);
        if (hook == hooks_.end()) return;
        const auto on_click = hook->second;  // the handler may write a new document
        on_click();
    }

    QPointer<QWebEngineView> view_;
    WindowPage* page_ = nullptr;
    BrowserBridge* bridge_ = nullptr;
    QString page_script_;
    QString colours_;
    std::map<std::string, std::function<void()>> hooks_;
    FormSnapshot reported_form_;
    std::function<void()> on_painted_;
    std::function<void(const std::string&)> on_signal_;
    bool loading_ = false;
    int finished_loads_ = 0;
    int flush_serial_ = 0;
    int flushed_row_ = -1;
    bool bridge_ready_ = false;
    bool pointer_inside_ = false;
    QPointer<InputTracker> input_tracker_;
};

}  // namespace

WebEngineBrowserFactory::WebEngineBrowserFactory() = default;
WebEngineBrowserFactory::~WebEngineBrowserFactory() = default;

void WebEngineBrowserFactory::warm_up() {
    if (spare_) return;
    // The engine and the browser's page process start now; nothing waits for them.
    auto browser = std::make_unique<WebEngineBrowser>();
    browser->start_empty_document();
    spare_ = std::move(browser);
}

BrowserProbe& probe_of(Browser& browser) {
    if (auto* probe = dynamic_cast<BrowserProbe*>(&browser)) return *probe;
    throw std::invalid_argument("Only the web engine's browsers have a probe");
}

std::unique_ptr<Browser> WebEngineBrowserFactory::create() {
    if (spare_) return std::move(spare_);
    return std::make_unique<WebEngineBrowser>();
}

}  // namespace qd
