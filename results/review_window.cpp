#include "results/review_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/accessible_button.h"
#include "results/review_page.h"

namespace qd {

ReviewWindow::ReviewWindow(QWidget* owner, std::unique_ptr<Browser> browser, Shell& desktop, Dialogs& dialogs,
                           std::function<void(int)> open_book)
    : QWidget(owner, Qt::Window),
      browser_(std::move(browser)),
      desktop_(desktop),
      dialogs_(dialogs),
      open_book_(std::move(open_book)) {
    setObjectName("review_window");
    setWindowTitle("Review Answers");
    QWidget* page = browser_->widget();
    page->setObjectName("review_page");
    page->setAccessibleName("Review of the quiz");
    browser_->on_link_followed([this](const std::string& address) { follow_link(address); });

    auto* print = make_button(this, "review_print", "&Print", EnterKey::presses_button);
    auto* close = make_button(this, "review_close", "&Close", EnterKey::presses_button);
    connect(print, &QPushButton::clicked, this, [this] {
        if (!browser_->print_with_dialog())
            dialogs_.message("The page could not be printed.", "Print", DialogButtons::ok, DialogIcon::warning);
    });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(page, 1);
    setTabOrder(print, close);
    setTabOrder(close, page);
    resize(860, 680);
}

ReviewWindow::~ReviewWindow() = default;

void ReviewWindow::show_review(const std::string& html, const std::string& base_folder) {
    show();
    raise();
    activateWindow();
    browser_->write_document(html, base_folder);
    browser_->focus_page();
}

void ReviewWindow::follow_link(const std::string& address) {
    if (const std::optional<int> position = book_link_position(address)) {
        open_book_(*position);
        return;
    }
    desktop_.open(address, ShowMode::normal);  // the web and mail: the desktop's programs
}

void ReviewWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) hide();
    else QWidget::keyPressEvent(event);
}

}  // namespace qd
