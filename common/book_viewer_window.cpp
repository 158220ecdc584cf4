#include "common/book_viewer_window.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/accessible_button.h"

namespace qd {

BookViewerWindow::BookViewerWindow(std::function<void(const std::string&, int)> open_elsewhere)
    : open_elsewhere_(std::move(open_elsewhere)), document_(std::make_unique<QPdfDocument>()) {
    setObjectName("book_viewer");
    setWindowTitle("Book");
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);

    auto* previous = make_button(nullptr, "previous_page", "&Previous", [this] { go_to_page_index(current_page_index() - 1); });
    auto* page_label = new QLabel("Pa&ge");
    page_box_ = new QSpinBox;
    page_box_->setObjectName("page_number");
    page_box_->setAccessibleName("Page");
    page_box_->setKeyboardTracking(false);
    page_label->setBuddy(page_box_);
    page_count_label_ = new QLabel;
    page_count_label_->setObjectName("page_count");
    auto* next = make_button(nullptr, "next_page", "&Next", [this] { go_to_page_index(current_page_index() + 1); });
    auto* zoom_out = make_button(nullptr, "zoom_out", "Zoom &Out", [this] { zoom_by(1 / 1.25); });
    auto* zoom_in = make_button(nullptr, "zoom_in", "Zoom &In", [this] { zoom_by(1.25); });
    auto* fit = make_button(nullptr, "fit_width", "Fit &Width", [this] { fit_width(); });
    auto* find_label = new QLabel("&Find");
    find_box_ = new QLineEdit;
    find_box_->setObjectName("find_text");
    find_box_->setAccessibleName("Find");
    find_box_->setPlaceholderText("Text on a page");
    find_label->setBuddy(find_box_);
    auto* find = make_button(nullptr, "find_next", "Find &Next", [this] { find_next(find_box_->text()); });
    auto* elsewhere = make_button(nullptr, "open_in_reader", "Open in my PDF &reader",
                                  [this] { open_elsewhere_(loaded_path_, current_page_index()); });
    auto* close_button = make_button(nullptr, "close_viewer", "&Close", [this] { hide(); });
    // Two rows: turning pages and zoom with Close; searching and the hand-off.
    for (QWidget* w : std::initializer_list<QWidget*>{previous, page_label, page_box_, page_count_label_, next}) bar->addWidget(w);
    bar->addSpacing(16);
    for (QWidget* w : std::initializer_list<QWidget*>{zoom_out, zoom_in, fit}) bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(close_button);
    auto* second = new QHBoxLayout;
    layout->addLayout(second);
    find_box_->setMinimumWidth(220);
    for (QWidget* w : std::initializer_list<QWidget*>{find_label, find_box_, find}) second->addWidget(w);
    second->addStretch();
    second->addWidget(elsewhere);

    view_ = new QPdfView;
    view_->setObjectName("pdf_view");
    view_->setAccessibleName("Book page");
    view_->setDocument(document_.get());
    view_->setPageMode(QPdfView::PageMode::SinglePage);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    layout->addWidget(view_, 1);
    status_ = new QLabel;
    status_->setObjectName("status");
    layout->addWidget(status_);

    connect(page_box_, &QSpinBox::valueChanged, this, [this](int page) {
        if (page - 1 != current_page_index()) go_to_page_index(page - 1);
    });
    connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this, [this] { update_page_controls(); });
    connect(find_box_, &QLineEdit::returnPressed, this, [this] { find_next(find_box_->text()); });
    new QShortcut(QKeySequence::FindNext, this, [this] { find_next(find_box_->text()); });
    new QShortcut(QKeySequence::Find, this, [this] {
        find_box_->setFocus();
        find_box_->selectAll();
    });
    new QShortcut(QKeySequence::ZoomIn, this, [this] { zoom_by(1.25); });
    new QShortcut(QKeySequence::ZoomOut, this, [this] { zoom_by(1 / 1.25); });
    search_timer_ = new QTimer(this);
    search_timer_->setInterval(0);
    connect(search_timer_, &QTimer::timeout, this, [this] { search_some_pages(); });
    resize(820, 900);
}

BookViewerWindow::~BookViewerWindow() { view_->setDocument(nullptr); }

PdfOpenOutcome BookViewerWindow::show_page(const std::string& document, int page_index) {
    // A book replaced on disk (an update) is read afresh.
    const QFileInfo file(QString::fromStdString(document));
    if (!file.isFile()) return {PdfOpenResult::missing, 0};
    if (loaded_path_ != document || loaded_modified_ != file.lastModified() || document_->status() != QPdfDocument::Status::Ready) {
        document_->close();
        loaded_path_.clear();
        if (document_->load(file.filePath()) != QPdfDocument::Error::None || document_->pageCount() < 1) {
            document_->close();
            hide();  // nothing left to show
            return {PdfOpenResult::damaged, 0};
        }
        loaded_path_ = document;
        loaded_modified_ = file.lastModified();
        search_timer_->stop();
        page_texts_.assign(document_->pageCount(), QString());
        page_text_read_.assign(document_->pageCount(), false);
        setWindowTitle("Book - " + file.fileName());
        page_box_->setRange(1, document_->pageCount());
        page_count_label_->setText(QString("of %1").arg(document_->pageCount()));
    }
    PdfOpenOutcome outcome{PdfOpenResult::shown, page_count()};
    if (page_index >= page_count()) {
        outcome.result = PdfOpenResult::shown_at_last_page;
        page_index = page_count() - 1;
    }
    go_to_page_index(page_index);
    show();
    raise();
    activateWindow();
    return outcome;
}

int BookViewerWindow::current_page_index() const { return view_->pageNavigator()->currentPage(); }

int BookViewerWindow::page_count() const { return document_->pageCount(); }

void BookViewerWindow::go_to_page_index(int index) {
    if (page_count() < 1) return;
    index = std::clamp(index, 0, page_count() - 1);
    view_->pageNavigator()->jump(index, {}, view_->pageNavigator()->currentZoom());
    update_page_controls();
}

void BookViewerWindow::zoom_by(double factor) {
    view_->setZoomMode(QPdfView::ZoomMode::Custom);
    view_->setZoomFactor(std::clamp(view_->zoomFactor() * factor, 0.25, 6.0));
    update_page_controls();
}

void BookViewerWindow::fit_width() {
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    update_page_controls();
}

void BookViewerWindow::find_next(const QString& text) {
    wanted_ = text.trimmed();
    if (wanted_.isEmpty() || page_count() < 1) return;
    search_from_ = current_page_index();
    search_step_ = 1;
    search_timer_->start();
}

bool BookViewerWindow::searching() const { return search_timer_->isActive(); }

const QString& BookViewerWindow::page_text(int index) {
    if (!page_text_read_[index]) {
        page_texts_[index] = document_->getAllText(index).text();
        page_text_read_[index] = true;
    }
    return page_texts_[index];
}

void BookViewerWindow::search_some_pages() {
    QElapsedTimer turn;
    turn.start();
    while (search_step_ <= page_count()) {
        int page = (search_from_ + search_step_++) % page_count();
        if (page_text(page).contains(wanted_, Qt::CaseInsensitive)) {
            search_timer_->stop();
            go_to_page_index(page);
            return;
        }
        if (turn.elapsed() > 40) {
            status_->setText(QString("Searching for \"%1\": page %2 of %3").arg(wanted_).arg(page + 1).arg(page_count()));
            return;
        }
    }
    search_timer_->stop();
    status_->setText(QString("\"%1\" is not in the book.").arg(wanted_));
}

void BookViewerWindow::update_page_controls() {
    const int page = current_page_index() + 1;
    page_box_->blockSignals(true);
    page_box_->setValue(page);
    page_box_->blockSignals(false);
    QString zoom = view_->zoomMode() == QPdfView::ZoomMode::FitToWidth ? QString("fit to width")
                                                                       : QString("%1%").arg(qRound(view_->zoomFactor() * 100));
    status_->setText(QString("Page %1 of %2, zoom %3").arg(page).arg(page_count()).arg(zoom));
}

void BookViewerWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape: hide(); return;
        case Qt::Key_PageDown: go_to_page_index(current_page_index() + 1); return;
        case Qt::Key_PageUp: go_to_page_index(current_page_index() - 1); return;
        default: QWidget::keyPressEvent(event);
    }
}

BookViewerLink::~BookViewerLink() { delete window_.data(); }

PdfOpenOutcome BookViewerLink::open_at_page(const std::string& document, int page_index) {
    if (!window_) window_ = new BookViewerWindow(open_elsewhere_);
    return window_->show_page(document, page_index);
}

}  // namespace qd
