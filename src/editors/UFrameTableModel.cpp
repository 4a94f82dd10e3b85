#include "editors/UFrameTableModel.h"

#include "ui/UQtText.h"
#include "editors/FrameRows.h"

#include <QBrush>
#include <QPalette>

namespace kt {

FrameTableModel::FrameTableModel(FrameList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int FrameTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FrameList::Rows;
}

int FrameTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.fieldCount() + 1;
}

bool FrameTableModel::isCheckColumn(int column) const {
    return IsCheckField(list_.kind(), fieldOf(column));
}

bool FrameTableModel::isTypeColumn(int column) const {
    return fieldOf(column) == RxCAN_Type;
}

QVariant FrameTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= FrameList::Rows || index.column() >= columnCount())
        return {};
    if (index.column() == 0) {
        switch (role) {
        case Qt::DisplayRole:
            return index.row() + 1;
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::BackgroundRole:
            return QBrush(QPalette().color(QPalette::Button));
        default:
            return {};
        }
    }
    const std::string& text = list_.field(index.row(), fieldOf(index.column()));
    if (isCheckColumn(index.column())) {
        if (role == Qt::CheckStateRole) return text == "Y" ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::EditRole) return Q(text);
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) return Q(text);
    return {};
}

bool FrameTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() == 0 || index.column() >= columnCount()) return false;
    const int field = fieldOf(index.column());
    std::string text;
    if (isCheckColumn(index.column())) {
        if (role != Qt::CheckStateRole) return false;
        text = value.value<Qt::CheckState>() == Qt::Checked ? "Y" : "N";
    } else {
        if (role != Qt::EditRole) return false;
        text = S(value.toString());
    }
    if (list_.field(index.row(), field) == text) return true;
    list_.setField(index.row(), field, std::move(text));
    if (isCheckColumn(index.column()))
        emit dataChanged(index, index, {Qt::CheckStateRole, Qt::EditRole});
    else
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags FrameTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.column() == 0) return Qt::ItemIsEnabled;
    if (isCheckColumn(index.column()))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant FrameTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole && section < headers_.size()) return headers_[section];
    if (role == Qt::ToolTipRole && section >= 1 && section - 1 < hints_.size())
        return hints_[section - 1];
    return {};
}

void FrameTableModel::setHeaderTexts(const QStringList& headers, const QStringList& hints) {
    headers_ = headers;
    hints_ = hints;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void FrameTableModel::changeList(const std::function<void(FrameList&)>& change) {
    change(list_);
    emit dataChanged(index(0, 1), index(FrameList::Rows - 1, columnCount() - 1),
                     {Qt::DisplayRole, Qt::EditRole, Qt::CheckStateRole});
}

} // namespace kt
