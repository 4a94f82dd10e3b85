#include "editors/UComon.h"

#include "editors/FrameRows.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace kt {

FrameGridView::FrameGridView(std::function<bool()> jumpEnabled,
                             std::function<bool()> autoSizeEnabled, QWidget* parent)
    : QTableView(parent), jumpEnabled_(std::move(jumpEnabled)),
      autoSizeEnabled_(std::move(autoSizeEnabled)), frozen_(new QTableView(this)) {
    frozen_->setObjectName("N_Column");
    // Keys, edits and the focus stay with the grid; the overlay only shows and picks rows.
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setHighlightSections(false);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->stackUnder(frozen_);
    // By pixel, so a column scrolled under the overlay can be brought out whole.
    setHorizontalScrollMode(ScrollPerPixel);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, frozen_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(frozen_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { frozen_->setRowHeight(row, size); });
    // Either header may resize column 0; each follows the other (no loop: same size is no change).
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column != 0) return;
                frozen_->setColumnWidth(0, size);
                placeFrozenColumn();
            });
    connect(frozen_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column == 0) setColumnWidth(0, size);
            });

    connectAutoSize(horizontalHeader());
    connectAutoSize(frozen_->horizontalHeader());
}

void FrameGridView::connectAutoSize(QHeaderView* header) {
    // A double click on a header cell or on its border: the setting decides, so the view's
    // own fit-on-border-double-click goes (string- or pointer-connected, by Qt version).
    auto* owner = static_cast<QTableView*>(header->parentWidget());
    disconnect(header, SIGNAL(sectionHandleDoubleClicked(int)), owner,
               SLOT(resizeColumnToContents(int)));
    disconnect(header, &QHeaderView::sectionHandleDoubleClicked, owner,
               &QTableView::resizeColumnToContents);
    const auto autoSize = [this](int column) {
        if (autoSizeEnabled_()) Grid_Header_AutoSize(*this, column);
    };
    connect(header, &QHeaderView::sectionDoubleClicked, this, autoSize);
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this, autoSize);
}

void FrameGridView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    if (!model) return;
    for (int c = 1; c < model->columnCount(); ++c)
        frozen_->setColumnHidden(c, true);
    frozen_->setColumnWidth(0, columnWidth(0));
    placeFrozenColumn();
}

void FrameGridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int across = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (!index.isValid()) return;
    if (index.column() == 0) {
        // Column 0 is always in view: only the row matters.
        horizontalScrollBar()->setValue(across);
        return;
    }
    // Bring a cell out from under the overlay.
    const int hidden = columnWidth(0) - visualRect(index).left();
    if (hidden > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

void FrameGridView::updateGeometries() {
    QTableView::updateGeometries();
    placeFrozenColumn();
}

void FrameGridView::placeFrozenColumn() {
    frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    // Same height as the grid's header and viewport, so both scroll over the same range.
    frozen_->setGeometry(viewport()->x(), horizontalHeader()->y(), columnWidth(0),
                         horizontalHeader()->height() + viewport()->height());
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
