#include "editors/UComon.h"

#include "editors/FrameRows.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace kt {

FrameGridView::FrameGridView(std::function<bool()> jumpEnabled,
                             std::function<bool()> autoSizeEnabled, QWidget* parent)
    : QTableView(parent), jumpEnabled_(std::move(jumpEnabled)),
      autoSizeEnabled_(std::move(autoSizeEnabled)) {
    // A double click on a header cell or on its border: the setting decides, so the view's
    // own fit-on-border-double-click goes (string- or pointer-connected, by Qt version).
    disconnect(horizontalHeader(), SIGNAL(sectionHandleDoubleClicked(int)), this,
               SLOT(resizeColumnToContents(int)));
    disconnect(horizontalHeader(), &QHeaderView::sectionHandleDoubleClicked, this,
               &QTableView::resizeColumnToContents);
    const auto autoSize = [this](int column) {
        if (autoSizeEnabled_()) Grid_Header_AutoSize(*this, column);
    };
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, autoSize);
    connect(horizontalHeader(), &QHeaderView::sectionHandleDoubleClicked, this, autoSize);
}

void FrameGridView::keyPressEvent(QKeyEvent* event) {
    if (Grid_Enter_Jump(*this, event->key(), jumpEnabled_())) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool IsEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool Grid_Enter_Jump(QTableView& grid, int key, bool enabled) {
    if (!enabled || !IsEnterKey(key)) return false;
    const QAbstractItemModel* model = grid.model();
    const QModelIndex current = grid.currentIndex();
    if (!model || !current.isValid()) return true;
    const GridCell next = NextJumpCell({current.row() + 1, current.column()}, model->rowCount(),
                                       model->columnCount() - 1);
    grid.setCurrentIndex(model->index(next.row - 1, next.column));
    return true;
}

void Grid_Header_AutoSize(QTableView& grid, int column) {
    const QAbstractItemModel* model = grid.model();
    if (!model || column < 0 || column >= model->columnCount()) return;
    const QFontMetrics cells(grid.font());
    const QFontMetrics header(grid.horizontalHeader()->font());
    int width = header.horizontalAdvance(model->headerData(column, Qt::Horizontal).toString());
    for (int r = 0; r < model->rowCount(); ++r)
        width = std::max(width, cells.horizontalAdvance(
                                    model->data(model->index(r, column), Qt::EditRole).toString()));
    // The cell's own text padding, so the widest text shows whole.
    const int padding =
        2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
    grid.setColumnWidth(column, width + padding);
}

} // namespace kt
