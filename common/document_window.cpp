#include "common/document_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/qt/accessible_button.h"

namespace qd {

std::string local_document_address(const std::string& document) {
    const QString text = QString::fromStdString(document);
    QUrl url(text);
    if (url.scheme().size() <= 1) {  // a path (a drive letter is no scheme here)
        const qsizetype hash = text.indexOf('#');
        url = QUrl::fromLocalFile(QFileInfo(hash < 0 ? text : text.left(hash)).absoluteFilePath());
        if (hash >= 0) url.setFragment(text.mid(hash + 1));
    }
    if (!url.isLocalFile()) return {};
    const QFileInfo file(url.toLocalFile());
    const QString suffix = file.suffix().toLower();
    if ((suffix != "htm" && suffix != "html") || !file.isFile()) return {};
    return url.toString(QUrl::FullyEncoded).toStdString();
}

DocumentWindow::DocumentWindow(std::unique_ptr<Browser> browser, Shell& desktop, Dialogs& dialogs)
    : browser_(std::move(browser)), desktop_(desktop), dialogs_(dialogs) {
    setObjectName("document_window");
    setWindowTitle("Document");
    QWidget* page = browser_->widget();
    page->setObjectName("document_page");
    page->setAccessibleName("Document");
    browser_->on_link_followed([this](const std::string& address) { follow_link(address); });
    browser_->on_page_painted([this] { follow_page(); });

    back_ = make_button(this, "document_back", "&Back", EnterKey::presses_button);
    auto* print = make_button(this, "document_print", "&Print", EnterKey::presses_button);
    auto* elsewhere = make_button(this, "document_open_elsewhere", "Open in my &browser", EnterKey::presses_button);
    auto* close = make_button(this, "document_close", "&Close", EnterKey::presses_button);
    back_->setEnabled(false);
    connect(back_, &QPushButton::clicked, this, [this] {
        browser_->go_back();
        follow_page();
    });
    connect(print, &QPushButton::clicked, this, [this] {
        if (!browser_->print_with_dialog())
            dialogs_.message("The page could not be printed.", "Print", DialogButtons::ok, DialogIcon::warning);
    });
    connect(elsewhere, &QPushButton::clicked, this, [this] { desktop_.open(browser_->address(), ShowMode::normal); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {back_, print, elsewhere}) buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(page, 1);
    set_tab_order({back_, print, elsewhere, close, page});
    resize(860, 640);
}

DocumentWindow::~DocumentWindow() = default;

void DocumentWindow::show_document(const std::string& address, ShowMode mode) {
    browser_->navigate(address);
    follow_page();
    if (mode == ShowMode::maximized) showMaximized();
    else show();
    raise();
    activateWindow();
    browser_->focus_page();
}

void DocumentWindow::follow_link(const std::string& address) {
    const std::string local = local_document_address(address);
    if (local.empty()) {
        desktop_.open(address, ShowMode::normal);  // the web, mail, the book: the desktop's programs
        return;
    }
    browser_->navigate(local);
    follow_page();
}

// The title names the page shown, and Back is there while there is a page to go back to.
void DocumentWindow::follow_page() {
    back_->setEnabled(browser_->can_go_back());
    const QUrl url(QString::fromStdString(browser_->address()));
    const QString name = QFileInfo(url.toLocalFile()).fileName();
    setWindowTitle(name.isEmpty() ? QString("Document") : name);
}

void DocumentWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) hide();
    else if (event->key() == Qt::Key_Backspace || (event->key() == Qt::Key_Left && event->modifiers() == Qt::AltModifier))
        back_->click();
    else QWidget::keyPressEvent(event);
}

DocumentShell::DocumentShell(Shell& desktop, BrowserFactory& browsers, Dialogs& dialogs)
    : desktop_(desktop), browsers_(browsers), dialogs_(dialogs) {}

DocumentShell::~DocumentShell() = default;

void DocumentShell::open(const std::string& document, ShowMode mode) {
    const std::string local = local_document_address(document);
    if (local.empty()) {
        desktop_.open(document, mode);
        return;
    }
    if (!window_) window_ = std::make_unique<DocumentWindow>(browsers_.create(), desktop_, dialogs_);
    window_->show_document(local, mode);
}

DocumentWindow* DocumentShell::window() const { return window_.get(); }

}  // namespace qd
