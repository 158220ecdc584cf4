#include "common/list_width.h"

#include <QFontMetricsF>
#include <QListWidget>

#include "common/module1.h"
#include "platform/screen.h"

namespace qd {

void fit_list_width(QListWidget& list, const Screen& screen) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.count(); ++i) entries.push_back(list.item(i)->text().toStdString());
    // Measured in the parent window's font, as the list's entries are drawn in it.
    const QFontMetricsF metrics(list.parentWidget() ? list.parentWidget()->font() : list.font());
    const int twips_per_pixel = screen.twips_per_pixel_x();
    const int extent = list_extent_pixels(
        entries, [&](const std::string& text) { return metrics.horizontalAdvance(QString::fromStdString(text)) * twips_per_pixel; },
        twips_per_pixel);
    // Items as wide as the extent make the view's contents that wide.
    for (int i = 0; i < list.count(); ++i) {
        QListWidgetItem* item = list.item(i);
        item->setSizeHint(QSize(extent, list.sizeHintForRow(i)));
    }
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

}  // namespace qd
