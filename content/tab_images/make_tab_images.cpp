// Draws the question page's tab pictures into a folder: each tab in a plain
// and an "_active" form, at twice the page size so that they stay sharp on
// screens of 192 dpi (the page shows them at half their pixel size). The
// page names them ".gif"; the browser reads them by their content.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

struct Tab {
    const char* file;
    const char* caption;
};

const Tab kTabs[] = {{"Question", "Question"},     {"Diagram_1", "Diagram 1"},      {"Diagram_2", "Diagram 2"},
                     {"Diagram_3", "Diagram 3"},   {"Exhibit_1", "Exhibit 1"},      {"Exhibit_2", "Exhibit 2"},
                     {"Exhibit_3", "Exhibit 3"},   {"explanation", "Explanation"},  {"Web_Link_1", "Web Link 1"},
                     {"Web_Link_2", "Web Link 2"}, {"Onlinetutor", "Online Tutor"}, {"clue", "Clue"}};

constexpr int kScale = 2;
constexpr int kWidth = 96 * kScale;
constexpr int kHeight = 24 * kScale;

QImage draw_tab(const char* caption, bool active) {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    const qreal r = 6 * kScale;
    shape.moveTo(0, kHeight);
    shape.lineTo(0, r);
    shape.quadTo(0, 0, r, 0);
    shape.lineTo(kWidth - r - 1, 0);
    shape.quadTo(kWidth - 1, 0, kWidth - 1, r);
    shape.lineTo(kWidth - 1, kHeight);
    painter.fillPath(shape, active ? QColor(0, 51, 153) : QColor(214, 222, 235));
    painter.setPen(QPen(QColor(0, 38, 115), kScale));
    painter.drawPath(shape);
    QFont font("DejaVu Sans");
    font.setPixelSize(12 * kScale);
    font.setBold(active);
    painter.setFont(font);
    painter.setPen(active ? Qt::white : QColor(0, 38, 115));
    painter.drawText(QRect(0, 0, kWidth, kHeight), Qt::AlignCenter, caption);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_tab_images FOLDER\n");
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(".");
    for (const Tab& tab : kTabs) {
        for (bool active : {false, true}) {
            const QString name = QString(tab.file) + (active ? "_active.gif" : ".gif");
            if (!draw_tab(tab.caption, active).save(folder.filePath(name), "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
                return 1;
            }
        }
    }
    return 0;
}
