#include "updater/wizard/update_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "updater/catalogue/catalogue_version.h"

namespace qd {

namespace {

constexpr int kTickedRole = Qt::UserRole;
constexpr int kRefusedRole = Qt::UserRole + 1;

// Draws the tick column's image centred in its cell, over the cell's own
// background and focus frame (the stock painting would add the image again,
// at the cell's left edge).
class CentredImageDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QWidget* view = cell.widget;
        const QStyle* style = view ? view->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, view);
        if (cell.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(cell);
            focus.backgroundColor = cell.palette.color(QPalette::Highlight);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view);
        }
        const QPixmap image = index.data(Qt::DecorationRole).value<QPixmap>();
        const QSize size = image.deviceIndependentSize().toSize();
        QRect target(QPoint(0, 0), size);
        target.moveCenter(option.rect.center());
        painter->drawPixmap(target, image);
    }
};

}  // namespace

UpdateGrid::UpdateGrid(const QPixmap& ticked, const QPixmap& unticked, QWidget* parent)
    : QTableWidget(0, 5, parent), ticked_(ticked), unticked_(unticked) {
    setObjectName("MSFlexGrid1");
    setAccessibleName("Available updates");
    setHorizontalHeaderLabels({"", "Name", "Version", "Size", "Date"});
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setItemDelegateForColumn(0, new CentredImageDelegate(this));
    horizontalHeader()->setStretchLastSection(true);
    setTabKeyNavigation(false);  // Tab leaves the grid; the arrows move inside it
    connect(this, &QTableWidget::cellClicked, this, &UpdateGrid::cell_activated);
    fit_columns();
}

void UpdateGrid::add_row(const ProductEntry& entry) {
    const int row = rowCount();
    insertRow(row);
    auto* tick = new QTableWidgetItem;
    tick->setData(kTickedRole, false);
    tick->setData(Qt::DecorationRole, unticked_);
    setItem(row, 0, tick);
    setItem(row, 1, new QTableWidgetItem(QString::fromStdString(entry.name)));
    setItem(row, 2, new QTableWidgetItem(QString::fromStdString(catalogue_version_text(entry.version))));
    setItem(row, 3, new QTableWidgetItem(QString::number(entry.size) + " KB"));
    setItem(row, 4, new QTableWidgetItem(QString::fromStdString(entry.date)));
    set_ticked(row, false);
    if (!entry.refused.empty()) show_refused(row, QString::fromStdString(entry.refused));
}

// A product that cannot be installed keeps its row, greyed, without a tick
// box, and says why.
void UpdateGrid::show_refused(int row, const QString& reason) {
    QTableWidgetItem* tick = item(row, 0);
    tick->setData(kRefusedRole, true);
    tick->setData(Qt::DecorationRole, QPixmap());
    QTableWidgetItem* name = item(row, 1);
    const QString product = name->text();
    name->setText(product + " (not installable: " + reason + ")");
    tick->setData(Qt::AccessibleTextRole, "Cannot install " + product);
    for (int column = 0; column < columnCount(); ++column) {
        item(row, column)->setFlags(item(row, column)->flags() & ~Qt::ItemIsEnabled);
        item(row, column)->setData(Qt::ToolTipRole, "Cannot be installed: " + reason);
    }
}

bool UpdateGrid::is_refused(int row) const { return item(row, 0)->data(kRefusedRole).toBool(); }

bool UpdateGrid::is_ticked(int row) const { return item(row, 0)->data(kTickedRole).toBool(); }

void UpdateGrid::set_ticked(int row, bool ticked) {
    if (is_refused(row)) return;
    QTableWidgetItem* tick = item(row, 0);
    tick->setData(kTickedRole, ticked);
    tick->setData(Qt::DecorationRole, ticked ? ticked_ : unticked_);
    // Screen readers hear the state the image shows.
    const QString name = item(row, 1)->text();
    tick->setData(Qt::AccessibleTextRole, (ticked ? "Download " : "Skip ") + name);
    tick->setData(Qt::ToolTipRole, ticked ? "Will be downloaded" : "Will not be downloaded");
}

QString UpdateGrid::size_text(int row) const {
    const QString text = item(row, 3)->text();
    return text.left(text.size() - 3);
}

void UpdateGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && currentRow() >= 0) {
        // The keyboard ticks the row whatever cell of it has the focus.
        emit cell_activated(currentRow(), 0);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void UpdateGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    fit_columns();
}

void UpdateGrid::fit_columns() {
    setColumnWidth(0, ticked_.deviceIndependentSize().toSize().width() + 12);
    setColumnWidth(1, viewport()->width() * 35 / 100);
}

}  // namespace qd
