#pragma once
// Cell editors of the frame grids: free text, the CAN type pick list, centred Y/N check boxes.
// The text and pick-list editors pass Enter to the grid's jump while it is on.

#include <QStyledItemDelegate>

#include <functional>

class QComboBox;
class QTableView;

namespace kt {

// Free text; Enter commits and jumps when the grid's jump is on (asked at each key, so a
// change of the settings applies at once).
class FrameTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    FrameTextDelegate(QTableView& grid, std::function<bool()> jumpEnabled);

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    QTableView& grid_;
    std::function<bool()> jumpEnabled_;
};

// The two CAN identifier types; an empty cell stays empty until one is picked. Typed keys
// pick as well: "A" or "11", "B" or "29" (or the start of an entry's text); a typed pick or one
// from the opened list ends the edit. Up and Down only change the pick: Tab or Enter take it,
// Escape drops it, and the row stays current.
class FrameTypeDelegate : public FrameTextDelegate {
    Q_OBJECT
public:
    using FrameTextDelegate::FrameTextDelegate;
    bool eventFilter(QObject* editor, QEvent* event) override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};

// Moves the pick of a Type editor by `delta` entries (from none: to the first), without
// ending the edit.
void StepPick(QComboBox& combo, int delta);

// A check box in the middle of the cell; a click in the cell (which also makes it current)
// or Space toggles it.
class FrameCheckDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};

} // namespace kt
