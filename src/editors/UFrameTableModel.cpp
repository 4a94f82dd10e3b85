#include "editors/UFrameTableModel.h"

#include "editors/FrameRows.h"
#include "ui/UQtText.h"

#include <QBrush>
#include <QPalette>
#include <QUndoCommand>

#include <algorithm>

namespace kt {

// One step of the history: the rows before and after it.
class FrameRowsCommand : public QUndoCommand {
public:
    FrameRowsCommand(FrameTableModel& model, FrameTableModel::Rows before,
                     FrameTableModel::Rows after)
        : model_(model), before_(std::move(before)), after_(std::move(after)) {}
    void undo() override { model_.apply(before_); }
    void redo() override { model_.apply(after_); }

private:
    FrameTableModel& model_;
    FrameTableModel::Rows before_;
    FrameTableModel::Rows after_;
};

FrameTableModel::FrameTableModel(FrameList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), loaded_(snapshot()) {}

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
    changeList([&](FrameList& l) { l.setField(index.row(), field, std::move(text)); });
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

FrameTableModel::Rows FrameTableModel::snapshot() const {
    Rows rows;
    for (int r = 0; r < FrameList::Rows; ++r)
        rows.push_back(list_.row(r));
    return rows;
}

void FrameTableModel::apply(const Rows& rows) {
    int top = FrameList::Rows, bottom = -1, left = list_.fieldCount(), right = -1;
    for (int r = 0; r < FrameList::Rows; ++r) {
        const FrameRow& now = list_.row(r);
        const FrameRow& next = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < list_.fieldCount(); ++c) {
            if (now[static_cast<std::size_t>(c)] == next[static_cast<std::size_t>(c)]) continue;
            top = std::min(top, r);
            bottom = std::max(bottom, r);
            left = std::min(left, c);
            right = std::max(right, c);
        }
        list_.setRow(r, next);
    }
    if (bottom >= 0)
        emit dataChanged(index(top, left + 1), index(bottom, right + 1),
                         {Qt::DisplayRole, Qt::EditRole, Qt::CheckStateRole});
    emit rowsChanged();
}

bool FrameTableModel::changeList(const std::function<void(FrameList&)>& change) {
    FrameList changed = list_;
    change(changed);
    Rows before = snapshot();
    Rows after;
    for (int r = 0; r < FrameList::Rows; ++r)
        after.push_back(changed.row(r));
    if (after == before) return false;
    undo_.push(new FrameRowsCommand(*this, std::move(before), std::move(after)));
    return true;
}

bool FrameTableModel::replaceRows(int first, const std::vector<FrameRow>& rows) {
    return changeList([&](FrameList& l) {
        for (std::size_t i = 0; i < rows.size() && first + static_cast<int>(i) < FrameList::Rows;
             ++i)
            l.setRow(first + static_cast<int>(i), rows[i]);
    });
}

PasteVerdict FrameTableModel::pasteText(int row, int column, const std::string& text) {
    if (column < 1) return {};
    const auto cells = ParseCells(text);
    const PasteVerdict verdict = CheckPasteCells(list_, row, fieldOf(column), cells);
    if (verdict.refusal == PasteRefusal::None)
        changeList([&](FrameList& l) { PasteCells(l, row, fieldOf(column), cells); });
    return verdict;
}

bool FrameTableModel::clearCells(int top, int left, int bottom, int right) {
    left = std::max(left, 1);
    return changeList([&](FrameList& l) {
        for (int r = top; r <= bottom; ++r)
            for (int c = left; c <= right; ++c)
                l.setField(r, fieldOf(c), {});
    });
}

std::string FrameTableModel::copyText(int top, int left, int bottom, int right) const {
    left = std::max(left, 1);
    if (right < left) return {};
    return CopyCells(list_, top, fieldOf(left), bottom, fieldOf(right));
}

void FrameTableModel::load(const std::function<void(FrameList&)>& load) {
    undo_.clear();
    FrameList loaded = list_;
    load(loaded);
    Rows rows;
    for (int r = 0; r < FrameList::Rows; ++r)
        rows.push_back(loaded.row(r));
    loaded_ = rows;
    apply(rows);
}

bool FrameTableModel::isModified() const {
    return snapshot() != loaded_;
}

} // namespace kt
