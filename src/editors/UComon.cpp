#include "editors/UComon.h"

#include "editors/FrameRows.h"
#include "editors/UFrameDelegates.h"
#include "editors/UFrameTableModel.h"
#include "ui/UQtText.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace kt {

FrameGridView::FrameGridView(std::function<bool()> jumpEnabled,
                             std::function<bool()> autoSizeEnabled, QWidget* parent)
    : QTableView(parent), jumpEnabled_(std::move(jumpEnabled)),
      autoSizeEnabled_(std::move(autoSizeEnabled)), frozen_(new QTableView(this)) {
    frozen_->setObjectName("N_Column");
    // Keys, edits and the focus stay with the grid; the overlay only shows and picks rows.
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A click on a number only hands the row to the grid (currentChanged); it selects nothing.
    frozen_->setSelectionMode(QAbstractItemView::NoSelection);
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
    if (index.column() == 0 || keepAcross_) {
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
    if (Grid_Enter_Jump(*this, event->key(), jumpEnabled_()) || clipboardKey(event) ||
        pickListKey(event) || tabAtAnEnd(event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex FrameGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QAbstractItemModel* m = model();
    const QModelIndex current = currentIndex();
    if (!m || m->columnCount() < 2) return QTableView::moveCursor(action, modifiers);
    if (!current.isValid()) return m->index(0, 1);
    const int rows = m->rowCount();
    const int last = m->columnCount() - 1;
    const GridCell at{current.row() + 1, std::max(current.column(), 1)};
    switch (action) {
    // Tab has nowhere to go at either end of the list (an invalid index): wrapping round put
    // the next typed text over the first row's filled CobID.
    case MoveNext: {
        if (at.row == rows && at.column == last) return {};
        const GridCell next = NextJumpCell(at, rows, last);
        return m->index(next.row - 1, next.column);
    }
    case MovePrevious: {
        if (at.row == 1 && at.column == 1) return {};
        const GridCell previous = PreviousJumpCell(at, rows, last);
        return m->index(previous.row - 1, previous.column);
    }
    case MoveHome:
        return m->index(modifiers & Qt::ControlModifier ? 0 : current.row(), 1);
    case MoveLeft:
        return m->index(current.row(), std::max(current.column() - 1, 1));
    default: {
        const QModelIndex to = QTableView::moveCursor(action, modifiers);
        return to.isValid() && to.column() == 0 ? to.siblingAtColumn(1) : to;
    }
    }
}

void FrameGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (!current.isValid() || current.column() != 0 || model()->columnCount() < 2) {
        QTableView::currentChanged(current, previous);
        return;
    }
    // A click on a row number: that row's fields become the selection, the column stays.
    const int column = previous.isValid() && previous.column() > 0 ? previous.column() : 1;
    keepAcross_ = true;
    selectionModel()->setCurrentIndex(current.siblingAtColumn(column),
                                      QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(current.siblingAtColumn(1),
                                            current.siblingAtColumn(model()->columnCount() - 1)),
                             QItemSelectionModel::ClearAndSelect);
    keepAcross_ = false;
    viewport()->update();
}

bool FrameGridView::selectedRange(int& top, int& left, int& bottom, int& right) const {
    top = left = INT_MAX;
    bottom = right = -1;
    for (const QModelIndex& i : selectionModel()->selectedIndexes()) {
        if (i.column() < 1) continue;
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    if (bottom >= 0) return true;
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.column() < 1) return false;
    top = bottom = current.row();
    left = right = current.column();
    return true;
}

bool FrameGridView::clipboardKey(QKeyEvent* event) {
    auto* frames = qobject_cast<FrameTableModel*>(model());
    if (!frames) return false;
    const bool copy = event->matches(QKeySequence::Copy);
    const bool cut = event->matches(QKeySequence::Cut);
    const bool clear = event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier;
    int top, left, bottom, right;
    if (copy || cut || clear) {
        if (!selectedRange(top, left, bottom, right)) return true;
        if (copy || cut)
            QGuiApplication::clipboard()->setText(Q(frames->copyText(top, left, bottom, right)));
        if (cut || clear) frames->clearCells(top, left, bottom, right);
        return true;
    }
    if (!event->matches(QKeySequence::Paste)) return false;
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.column() < 1) return true;
    const std::string text = S(QGuiApplication::clipboard()->text());
    const PasteVerdict verdict = frames->pasteText(current.row(), current.column(), text);
    if (verdict.refusal != PasteRefusal::None) {
        if (pasteRefused_) pasteRefused_(verdict);
        return true;
    }
    // Select what was pasted.
    const auto cells = ParseCells(text);
    std::size_t width = 0;
    for (const auto& row : cells)
        width = std::max(width, row.size());
    if (cells.empty() || width == 0) return true;
    selectionModel()->select(
        QItemSelection(current, frames->index(current.row() + int(cells.size()) - 1,
                                              current.column() + int(width) - 1)),
        QItemSelectionModel::ClearAndSelect);
    return true;
}

bool FrameGridView::tabAtAnEnd(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
    const bool backTab = event->key() == Qt::Key_Backtab;
    if ((!tab && !backTab) || !tabKeyNavigation()) return false;
    // The cell stays current and the focus stays in the grid.
    return !moveCursor(tab ? MoveNext : MovePrevious, event->modifiers()).isValid();
}

bool FrameGridView::pickListKey(QKeyEvent* event) {
    const bool f2 = event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier;
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier;
    const bool step = (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
                      event->modifiers() == Qt::NoModifier;
    const QModelIndex current = currentIndex();
    if ((!f2 && !altDown && !step) || !current.isValid() || state() == EditingState ||
        !qobject_cast<FrameTypeDelegate*>(itemDelegateForIndex(current)))
        return false;
    if (edit(current, EditKeyPressed, event))
        if (auto* combo = qobject_cast<QComboBox*>(indexWidget(current))) {
            if (step)
                StepPick(*combo, event->key() == Qt::Key_Up ? -1 : 1);
            else
                combo->showPopup();
        }
    return true;
}

void Grid_Header_AutoSize(QTableView& grid, int column) {
    const QAbstractItemModel* model = grid.model();
    if (!model || column < 0 || column >= model->columnCount()) return;
    QHeaderView* header = grid.horizontalHeader();
    // The header's own hint holds its margins (and sort indicator).
    int width = header->sectionSizeHint(column);
    const QFontMetrics cells(grid.font());
    // The text margins the item delegates draw inside a cell, on both sides.
    const int margins =
        2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
    const int gridLine = grid.showGrid() ? 1 : 0;
    for (int r = 0; r < model->rowCount(); ++r) {
        const QString text = model->data(model->index(r, column), Qt::EditRole).toString();
        if (!text.isEmpty())
            width = std::max(width, cells.horizontalAdvance(text) + margins + gridLine);
    }
    if (column == model->columnCount() - 1 && header->stretchLastSection())
        header->setStretchLastSection(false);
    grid.setColumnWidth(column, width);
}

} // namespace kt
