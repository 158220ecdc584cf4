#pragma once
// The program's own book viewer: shows the study guide at a page, with page
// navigation, zoom, search and the page number, and hands the book to the
// desktop's PDF reader on request. One window serves every Review Chapter click.
#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/pdf_reader_link.h"

class QLabel;
class QLineEdit;
class QPdfDocument;
class QPdfView;
class QPushButton;
class QSpinBox;
class QTimer;

namespace qd {

class BookViewerWindow : public QWidget {
public:
    // `open_elsewhere` shows the book in the desktop's reader at a page index.
    explicit BookViewerWindow(std::function<void(const std::string&, int)> open_elsewhere);
    ~BookViewerWindow() override;

    // Loads the document unless it is the one already shown, then turns to the page.
    PdfOpenOutcome show_page(const std::string& document, int page_index);

    int current_page_index() const;
    int page_count() const;
    QPdfDocument& document() const { return *document_; }

    void go_to_page_index(int index);
    void zoom_by(double factor);
    void fit_width();
    // Looks for the next page after the current one (wrapping round) whose
    // text holds `text`, a few pages per turn of the event loop so the window
    // stays responsive; the status line tells the progress and the result.
    void find_next(const QString& text);
    bool searching() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void update_page_controls();
    void search_some_pages();
    const QString& page_text(int index);

    std::function<void(const std::string&, int)> open_elsewhere_;
    std::unique_ptr<QPdfDocument> document_;
    std::string loaded_path_;
    QDateTime loaded_modified_;  // of the file read, to notice a replaced book
    QPdfView* view_;
    QSpinBox* page_box_;
    QLabel* page_count_label_;
    QLabel* status_;
    QLineEdit* find_box_;
    QTimer* search_timer_;
    QString wanted_;
    int search_from_ = 0, search_step_ = 0;
    std::vector<QString> page_texts_;  // each page's text, once read
    std::vector<bool> page_text_read_;
};

// The viewer as a PdfReaderLink: creates the window on first use and reuses it.
class BookViewerLink final : public PdfReaderLink {
public:
    explicit BookViewerLink(std::function<void(const std::string&, int)> open_elsewhere)
        : open_elsewhere_(std::move(open_elsewhere)) {}
    ~BookViewerLink() override;
    PdfOpenOutcome open_at_page(const std::string& document, int page_index) override;
    BookViewerWindow* window() const { return window_; }

private:
    std::function<void(const std::string&, int)> open_elsewhere_;
    QPointer<BookViewerWindow> window_;
};

}  // namespace qd
