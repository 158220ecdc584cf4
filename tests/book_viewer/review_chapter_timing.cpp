// review_chapter_timing: how long Review Chapter takes to show a page of the
// book, from the click to the first paint that shows the page's text.
//
//   review_chapter_timing [BOOK.pdf]     (default: the built program folder's book)
//
// The first click includes creating the viewer and reading the book.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPdfView>
#include <cstdio>

#include "common/book_viewer_window.h"
#include "common/chapter_page.h"
#include "platform/qt/qt_services.h"

namespace {

// Whether the view shows text (dark pixels) and differs from the page shown before.
bool shows_new_text(const QImage& image, const QImage& before) {
    if (image == before) return false;
    int dark = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (qGray(image.pixel(x, y)) < 96) ++dark;
    return dark > 200;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    const std::string book = argc > 1 ? argv[1] : QUIZDECK_STAGE_DIR "/ZI_ZE.pdf";
    qd::QtDialogs dialogs;
    qd::BookViewerLink link([](const std::string&, int) {});
    QImage before;
    for (const char* tag : {"46##", "512##", "150##", "660##", "301##", "47##"}) {
        QElapsedTimer clock;
        clock.start();
        qd::review_chapter(tag, book, "quizdeck", link, dialogs);
        if (!link.window()) return 1;
        auto* view = link.window()->findChild<QPdfView*>("pdf_view");
        QImage image;
        do {
            application.processEvents();
            image = view->viewport()->grab().toImage();
        } while (!shows_new_text(image, before) && clock.elapsed() < 5000);
        std::printf("%-6s page %3d shown after %4lld ms\n", tag, link.window()->current_page_index() + 1,
                    static_cast<long long>(clock.elapsed()));
        before = image;
    }
    return 0;
}
