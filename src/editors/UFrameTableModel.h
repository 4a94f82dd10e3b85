#pragma once
// The frame grids' model: column 0 shows the row number, columns 1.. the fields of the
// core's FrameList. Y/N fields are check boxes (Qt::CheckStateRole).

#include "editors/FrameList.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

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

    // Runs a change of the whole list and tells the views every row may have changed.
    void changeList(const std::function<void(FrameList&)>& change);

private:
    FrameList& list_;
    QStringList headers_;
    QStringList hints_;
};

} // namespace kt
