#include "book_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <algorithm>
#include <memory>

namespace bookc {
namespace {

// Geometry in points (1/72 inch) on an A4 page.
constexpr double kPageWidth = 595.28, kPageHeight = 841.89;
constexpr double kMarginX = 62, kHeadBaseline = 44, kHeadRule = 52, kBodyTop = 70, kBodyBottom = 806;
constexpr double kBodyWidth = kPageWidth - 2 * kMarginX, kBodyHeight = kBodyBottom - kBodyTop;
constexpr int kResolution = 300;  // dots per inch of the writer's device

// Qt's rich text takes margins in CSS pixels (96 to the inch) only.
QString spacing_px(double points) { return QString::number(qRound(points * 96 / 72.0)) + "px"; }

const QString kStyle = QString(R"(
h1 { font-family: 'DejaVu Sans'; font-size: 24pt; font-weight: bold; color: #1f3a5f; margin-bottom: %1; }
h2 { font-family: 'DejaVu Sans'; font-size: 14pt; font-weight: bold; color: #1f3a5f; margin-top: 0; margin-bottom: %2; }
p { margin-top: 0; margin-bottom: %3; }
p.gap { font-size: 4pt; margin: 0; }
ul { margin-top: 0; margin-bottom: %3; }
li { margin-bottom: %4; }
pre { font-family: 'DejaVu Sans Mono'; font-size: 9pt; margin: 0; }
th { font-family: 'DejaVu Sans'; font-size: 9.5pt; font-weight: bold; background-color: #e3e8ef; }
td { font-size: 10pt; }
)")
                           .arg(spacing_px(16), spacing_px(6), spacing_px(6), spacing_px(2));

const QString kParagraph = "<p style='line-height: 120%'>";

// Space below a table or box; a page's last block needs none.
const QString kGap = "<p class='gap'>&nbsp;</p>";

QString escaped(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

QString table_html(const Block& block) {
    QString html =
        "<table width='100%' border='1' cellspacing='0' cellpadding='3' "
        "style='border-collapse: collapse; border-color: #8a96a3'>";
    for (std::size_t row = 0; row < block.lines.size(); ++row) {
        html += "<tr>";
        for (const auto& cell : table_cells(block.lines[row]))
            html += (row == 0 ? "<th align='left'>" : "<td>") + escaped(cell) + (row == 0 ? "</th>" : "</td>");
        html += "</tr>";
    }
    return html + "</table>" + kGap;
}

// A framed one-cell table: the console block's grey panel, the tip's box.
QString boxed(const QString& inner, const char* background, const char* border) {
    return QString(
               "<table width='100%' border='1' cellspacing='0' cellpadding='6' "
               "style='border-collapse: collapse; border-color: %2'><tr><td bgcolor='%1'>%3</td></tr></table>")
               .arg(background, border, inner) +
           kGap;
}

QString block_html(const Block& block) {
    switch (block.kind) {
        case BlockKind::paragraph: return kParagraph + escaped(block.lines.front()) + "</p>";
        case BlockKind::bullets: {
            QString html = "<ul>";
            for (const auto& item : block.lines) html += "<li>" + escaped(item) + "</li>";
            return html + "</ul>";
        }
        case BlockKind::table: return table_html(block);
        case BlockKind::console: {
            QString text;
            for (const auto& line : block.lines) text += escaped(line) + "\n";
            text.chop(1);
            return boxed("<pre>" + text + "</pre>", "#f0f2f4", "#b8c0c8");
        }
        case BlockKind::tip: return boxed("<b>&#9656;</b> " + escaped(block.lines.front()), "#fff5d6", "#d9b44a");
    }
    return {};
}

QString page_html(const BookPage& page, bool title_page) {
    QString html = title_page ? "<h1 align='center'>" + escaped(page.heading) + "</h1>" : "<h2>" + escaped(page.heading) + "</h2>";
    for (const auto& block : page.blocks) html += block_html(block);
    if (html.endsWith(kGap)) html.chop(kGap.size());
    return title_page ? "<div align='center'>" + html + "</div>" : html;
}

class PageWriter {
public:
    explicit PageWriter(QPdfWriter* writer) : writer_(writer), scale_(kResolution / 72.0) {
        if (writer_) painter_ = std::make_unique<QPainter>(writer_);
    }

    // Lays the page out; paints it when writing.
    struct Fit {
        double height_share;  // of the text area's height; above 1 does not fit
        bool too_wide;        // a line that cannot wrap (a command) runs past the margin
    };
    Fit add(const BookPage& page, bool title_page, const QString& head, QPaintDevice& metrics) {
        QTextDocument document;
        document.documentLayout()->setPaintDevice(&metrics);
        document.setDefaultStyleSheet(kStyle);
        QFont body("DejaVu Serif");
        body.setPointSizeF(10.5);
        // No ligatures: the text read back from the PDF (search, copy) keeps plain letters.
        body.setStyleStrategy(QFont::PreferNoShaping);
        document.setDefaultFont(body);
        document.setDocumentMargin(0);
        document.setHtml(page_html(page, title_page));
        document.setTextWidth(kBodyWidth * scale_);
        // Full-width tables are a hair wider than the text area by their borders.
        Fit fit{document.size().height() / (kBodyHeight * scale_), document.idealWidth() > kBodyWidth * scale_ * 1.01};
        if (painter_) paint(page.number, title_page, head, document);
        return fit;
    }

private:
    void paint(int number, bool title_page, const QString& head, QTextDocument& document) {
        if (!first_) writer_->newPage();
        first_ = false;
        QPainter& p = *painter_;
        QFont head_font("DejaVu Sans");
        head_font.setPointSizeF(8.5);
        head_font.setStyleStrategy(QFont::PreferNoShaping);
        p.setFont(head_font);
        p.setPen(QColor("#44505c"));
        QRectF head_box(kMarginX * scale_, (kHeadBaseline - 12) * scale_, kBodyWidth * scale_, 14 * scale_);
        p.drawText(head_box, Qt::AlignLeft | Qt::AlignBottom, head);
        p.drawText(head_box, Qt::AlignRight | Qt::AlignBottom, QString::number(number));
        p.setPen(QPen(QColor("#8a96a3"), 0.6 * scale_));
        p.drawLine(QPointF(kMarginX * scale_, kHeadRule * scale_), QPointF((kPageWidth - kMarginX) * scale_, kHeadRule * scale_));
        double top = kBodyTop;
        if (title_page) top += std::max(0.0, (kBodyHeight - document.size().height() / scale_) / 3);
        p.save();
        p.translate(kMarginX * scale_, top * scale_);
        document.drawContents(&p);
        p.restore();
    }

    QPdfWriter* writer_;
    std::unique_ptr<QPainter> painter_;
    double scale_;
    bool first_ = true;
};

std::unique_ptr<QPdfWriter> make_writer(QIODevice* device, const QString& title) {
    auto writer = std::make_unique<QPdfWriter>(device);
    writer->setPageSize(QPageSize(QPageSize::A4));
    writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    writer->setResolution(kResolution);
    writer->setTitle(title);
    writer->setCreator("quizdeck bookc");
    return writer;
}

}  // namespace

QString running_head(const BookFile& file, const QString& title) {
    if (file.part == "front") return title;
    if (file.part == "between") return file.pages.empty() ? title : QString::fromStdString(file.pages.front().heading);
    QString part = file.part == "intro" ? "Part One" : "Part Two";
    return QString("%1, Chapter %2: %3").arg(part).arg(file.chapter).arg(QString::fromStdString(file.title));
}

QString book_title(const std::vector<BookFile>& files) {
    for (const auto& file : files)
        if (file.part == "front" && !file.pages.empty()) return QString::fromStdString(file.pages.front().heading);
    return "Study Guide";
}

std::vector<Diagnostic> write_book_pdf(const std::vector<BookFile>& files, const QString& pdf_path) {
    std::vector<const BookFile*> ordered;
    for (const auto& file : files) ordered.push_back(&file);
    std::stable_sort(ordered.begin(), ordered.end(), [](auto a, auto b) { return a->first_page < b->first_page; });
    const QString title = book_title(files);

    // The layout is measured on a PDF device even when nothing is written, so
    // the check and the written book agree.
    QBuffer scratch;
    scratch.open(QIODevice::WriteOnly);
    QSaveFile out(pdf_path);
    bool writing = !pdf_path.isEmpty();
    if (writing && !out.open(QIODevice::WriteOnly))
        return {{pdf_path.toStdString(), 0, "cannot write: " + out.errorString().toStdString()}};
    auto metrics = make_writer(&scratch, title);
    auto writer = writing ? make_writer(&out, title) : nullptr;

    std::vector<Diagnostic> problems;
    {
        PageWriter pages(writer.get());
        for (const BookFile* file : ordered) {
            QString head = running_head(*file, title);
            for (const auto& page : file->pages) {
                bool title_page = file->part == "front" && page.number == 1;
                auto fit = pages.add(page, title_page, head, writer ? static_cast<QPaintDevice&>(*writer) : *metrics);
                const std::string name = "page " + std::to_string(page.number);
                if (fit.height_share > 1)
                    problems.push_back({file->path, page.line,
                                        name + " does not fit on one printed page (it needs " +
                                            std::to_string(static_cast<int>(fit.height_share * 100 + 0.5)) +
                                            "% of its height); shorten it"});
                if (fit.too_wide)
                    problems.push_back({file->path, page.line, name + " has a line too wide for the page; shorten it"});
            }
        }
    }
    if (writing) {
        writer.reset();
        if (!problems.empty()) out.cancelWriting();
        else if (!out.commit()) problems.push_back({pdf_path.toStdString(), 0, "cannot write: " + out.errorString().toStdString()});
    }
    return problems;
}

}  // namespace bookc
