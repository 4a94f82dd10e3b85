#include "editors/UGridJump.h"

#include "editors/FrameRows.h"

namespace kt {

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

} // namespace kt
