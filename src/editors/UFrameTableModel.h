#pragma once
// The frame grids' model: column 0 shows the row number, columns 1.. the fields of the
// core's FrameList. Y/N fields are check boxes (Qt::CheckStateRole). Every change of the rows
// passes through here and is one step of the model's undo stack.

#include "editors/FrameRows.h"
#include "project/FrameList.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QUndoStack>

#include <functional>
#include <string>
#include <vector>

namespace kt {

class FrameTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FrameTableModel(FrameList& list, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

    // Headers of all columns (row-number column first) and the hints of columns 1...
    void setHeaderTexts(const QStringList& headers, const QStringList& hints);
    // Field of a model column, -1 for the row-number column.
    [[nodiscard]] static int fieldOf(int column) { return column - 1; }
    [[nodiscard]] bool isCheckColumn(int column) const;
    [[nodiscard]] bool isTypeColumn(int column) const;

    // Runs a change of the list as one undoable step; a change that changes nothing is no step.
    // True when something changed.
    bool changeList(const std::function<void(FrameList&)>& change);
    // Replaces rows first.. (0-based) with `rows` in one undoable step, e.g. for an import.
    // Rows beyond the list are dropped; each row must have fieldCount() fields.
    bool replaceRows(int first, const std::vector<FrameRow>& rows);
    // Pastes tab-separated text with its first cell at (row, column) as one step, or refuses
    // it whole (PasteCells); never into column 0. A refusal changes nothing.
    PasteVerdict pasteText(int row, int column, const std::string& text);
    // Empties the cells of a range of model columns (column 0 is left alone).
    bool clearCells(int top, int left, int bottom, int right);
    // Tab-separated text of a range of model columns (column 0 is left out).
    [[nodiscard]] std::string copyText(int top, int left, int bottom, int right) const;

    // Replaces the list outside the history (loading a file): the history starts empty and
    // these rows are what isModified compares with.
    void load(const std::function<void(FrameList&)>& load);
    // The rows differ from the ones loaded.
    [[nodiscard]] bool isModified() const;
    [[nodiscard]] QUndoStack& undoStack() { return undo_; }

signals:
    // After every change of the rows, undo and redo included.
    void rowsChanged();

private:
    friend class FrameRowsCommand;
    using Rows = std::vector<FrameRow>;
    [[nodiscard]] Rows snapshot() const;
    // Puts rows into the list and tells the views which cells changed.
    void apply(const Rows& rows);

    FrameList& list_;
    Rows loaded_;
    QUndoStack undo_;
    QStringList headers_;
    QStringList hints_;
};

} // namespace kt
