#pragma once
// The update grid MSFlexGrid1: a fixed header row and five columns (the tick
// box, "Name", "Version", "Size", "Date"), one row per offered product. The
// tick box shows one of two images, centred in its cell; Space on any cell
// of a row clicks the row's tick box, as a mouse click on it does.
#include <QPixmap>
#include <QTableWidget>

#include "updater/catalogue/product_entry.h"

namespace qd {

class UpdateGrid : public QTableWidget {
    Q_OBJECT
public:
    UpdateGrid(const QPixmap& ticked, const QPixmap& unticked, QWidget* parent);

    void add_row(const ProductEntry& entry);
    int data_rows() const { return rowCount(); }
    bool is_ticked(int row) const;
    // A refused row (a product that cannot be installed) is never ticked.
    void set_ticked(int row, bool ticked);
    bool is_refused(int row) const;
    // The row's "Size" text without its last three characters (" KB").
    QString size_text(int row) const;

signals:
    // A click in a cell, or Space in a row (column 0).
    void cell_activated(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit_columns();
    void show_refused(int row, const QString& reason);

    QPixmap ticked_;
    QPixmap unticked_;
};

}  // namespace qd
