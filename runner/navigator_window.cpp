#include "runner/navigator_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace qd {

namespace {

constexpr int kPositionRole = Qt::UserRole;

}  // namespace

NavigatorWindow::NavigatorWindow(QWidget* quiz_window, std::function<void(int)> jump)
    : QWidget(quiz_window, Qt::Window), jump_(std::move(jump)) {
    setObjectName("navigator");
    setWindowTitle("Question Navigator");
    auto* legend = new QLabel(QString::fromUtf8("\xE2\x96\xB6 on screen    \xE2\x9C\x93 answered    \xE2\x80\x93 not answered    "
                                                "\xE2\x9A\x91 flagged"),
                              this);
    legend->setObjectName("navigator_legend");
    cells_ = new QListWidget(this);
    cells_->setObjectName("navigator_cells");
    cells_->setAccessibleName("Questions of the quiz");
    cells_->setViewMode(QListView::IconMode);
    cells_->setFlow(QListView::LeftToRight);
    cells_->setWrapping(true);
    cells_->setResizeMode(QListView::Adjust);
    cells_->setMovement(QListView::Static);
    QFont bold = cells_->font();
    bold.setBold(true);
    cell_size_ = QSize(QFontMetrics(bold).horizontalAdvance(QString::fromUtf8("\xE2\x96\xB6 000 \xE2\x9C\x93 \xE2\x9A\x91")) + 14,
                       QFontMetrics(bold).height() + 12);
    cells_->setGridSize(cell_size_ + QSize(6, 6));
    // Each position a framed cell; the one with the keyboard focus stands out by its thick frame.
    cells_->setStyleSheet(
        "QListWidget::item { border: 1px solid palette(mid); border-radius: 3px; }"
        "QListWidget::item:selected { background: palette(highlight); color: palette(highlighted-text); }"
        "QListWidget::item:focus { border: 3px solid palette(text); }");
    legend->setBuddy(cells_);
    // A click jumps; so does Enter (activation), but a double-click must not jump twice.
    connect(cells_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { jump_from(cells_->row(item)); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(legend);
    layout->addWidget(cells_, 1);
    resize(cells_->gridSize().width() * 10 + 40, cells_->gridSize().height() * 6 + 60);
}

void NavigatorWindow::show_cells(const std::vector<NavigatorCell>& cells) {
    // The positions of a quiz stay the same: the cells are updated in place,
    // so a screen reader keeps its place in the list.
    if (cells_->count() != static_cast<int>(cells.size())) {
        cells_->clear();
        for (std::size_t i = 0; i < cells.size(); ++i) new QListWidgetItem(cells_);
    }
    int current_row = -1;
    for (std::size_t row = 0; row < cells.size(); ++row) {
        const NavigatorCell& cell = cells[row];
        QListWidgetItem* item = cells_->item(static_cast<int>(row));
        item->setText(QString::fromStdString(cell.caption));
        item->setData(kPositionRole, cell.position);
        item->setData(Qt::AccessibleTextRole, QString::fromStdString(cell.accessible_name));
        item->setToolTip(QString::fromStdString(cell.accessible_name));
        item->setTextAlignment(Qt::AlignCenter);
        item->setSizeHint(cell_size_);
        QFont font = item->font();
        font.setBold(cell.current);
        item->setFont(font);
        // Cells the rules do not allow stay listed but cannot be chosen.
        item->setFlags(cell.reachable || cell.current ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
        if (cell.current) current_row = static_cast<int>(row);
    }
    if (current_row >= 0) {
        cells_->setCurrentRow(current_row);
        cells_->scrollToItem(cells_->item(current_row));
    }
}

void NavigatorWindow::jump_from(int row) {
    QListWidgetItem* item = cells_->item(row);
    if (!item || !(item->flags() & Qt::ItemIsEnabled)) return;
    jump_(item->data(kPositionRole).toInt());
}

void NavigatorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        jump_from(cells_->currentRow());
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace qd
