#pragma once
// Grid routines shared by the two frame list dialogs: the grid view with the frozen row-number
// column, the Enter jump (UGridJump.h) and the header auto-size. The row operations themselves are
// GUI-free (FrameRows.h).

#include "editors/UGridJump.h"

#include <QTableView>

#include <functional>

namespace kt {

struct PasteVerdict;

// The frame grid: a table view whose row-number column stays in place when the grid scrolls
// sideways, and whose Enter key may jump to the next field. The row-number column is never
// current, so typing always edits a field. Copy, Cut, Paste and Delete work on the selected
// cells as tab-separated text.
class FrameGridView : public QTableView {
    Q_OBJECT
public:
    // jumpEnabled and autoSizeEnabled are asked at each key and double click, so a change
    // of the settings applies at once.
    FrameGridView(std::function<bool()> jumpEnabled, std::function<bool()> autoSizeEnabled,
                  QWidget* parent = nullptr);
    [[nodiscard]] bool jumpEnabled() const { return jumpEnabled_(); }
    // Told when a paste is refused; the grid then changed nothing.
    void setPasteRefused(std::function<void(const PasteVerdict&)> refused) {
        pasteRefused_ = std::move(refused);
    }

    void setModel(QAbstractItemModel* model) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    // The view that shows column 0 over the grid's left edge.
    [[nodiscard]] QTableView* frozenColumn() const { return frozen_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    // Typed text edits the current field; it never searches the rows.
    void keyboardSearch(const QString&) override {}

private:
    void connectAutoSize(QHeaderView* header);
    void placeFrozenColumn();
    // The selected data cells' bounding range (the current cell when none); false without any.
    bool selectedRange(int& top, int& left, int& bottom, int& right) const;
    // Clipboard and Delete keys; true when the key was one of them.
    bool clipboardKey(QKeyEvent* event);
    // F2 and Alt+Down on a pick-list cell open the editor with its list shown; Up and Down
    // open it and change the pick, so they never move the row from there.
    bool pickListKey(QKeyEvent* event);
    // Tab in the last cell of the last row, Shift+Tab in the first cell of the first row: the
    // key is taken and nothing moves.
    bool tabAtAnEnd(QKeyEvent* event);

    std::function<bool()> jumpEnabled_;
    std::function<bool()> autoSizeEnabled_;
    std::function<void(const PasteVerdict&)> pasteRefused_;
    // Shares the model and the selection model; the grid's own column 0 lies under it.
    QTableView* frozen_;
    // Set while a click on a row number moves the current cell: the view must not scroll sideways.
    bool keepAcross_ = false;
};

// Fits a column to its widest text, header included, with the cells' margins and grid line;
// the stretched last column stops stretching so it can shrink.
void Grid_Header_AutoSize(QTableView& grid, int column);

} // namespace kt
