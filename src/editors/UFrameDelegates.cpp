#include "editors/UFrameDelegates.h"

#include "editors/FrameRows.h"
#include "editors/UGridJump.h"
#include "project/FrameList.h"
#include "ui/UQtText.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kt {

FrameTextDelegate::FrameTextDelegate(QTableView& grid, std::function<bool()> jumpEnabled)
    : QStyledItemDelegate(&grid), grid_(grid), jumpEnabled_(std::move(jumpEnabled)) {}

bool FrameTextDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (event->type() == QEvent::KeyPress && jumpEnabled_() &&
        IsEnterKey(static_cast<QKeyEvent*>(event)->key())) {
        auto* w = qobject_cast<QWidget*>(editor);
        emit commitData(w);
        emit closeEditor(w, QAbstractItemDelegate::NoHint);
        Grid_Enter_Jump(grid_, static_cast<QKeyEvent*>(event)->key(), true);
        return true;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

QWidget* FrameTypeDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex&) const {
    auto* combo = new QComboBox(parent);
    combo->setObjectName("CB_CAN_Type");
    combo->addItems({CanType11, CanType29});
    // A pick ends the edit at once, as in a pick-list cell.
    connect(combo, &QComboBox::activated, this, [this, combo] {
        auto* self = const_cast<FrameTypeDelegate*>(this);
        emit self->commitData(combo);
        emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
    });
    return combo;
}

void StepPick(QComboBox& combo, int delta) {
    const int at = combo.currentIndex() < 0 ? 0 : combo.currentIndex() + delta;
    // setCurrentIndex, unlike the combo's own keys, does not count as a pick that ends the edit.
    combo.setCurrentIndex(std::clamp(at, 0, combo.count() - 1));
}

bool FrameTypeDelegate::eventFilter(QObject* editor, QEvent* event) {
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (combo && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // The combo's own Up/Down/Home/End/Page keys would pick and end the edit, so the next
        // Down moved the row.
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_PageUp:
                StepPick(*combo, -1);
                return true;
            case Qt::Key_Down:
            case Qt::Key_PageDown:
                StepPick(*combo, 1);
                return true;
            case Qt::Key_Home:
                StepPick(*combo, -combo->count());
                return true;
            case Qt::Key_End:
                StepPick(*combo, combo->count());
                return true;
            default:
                break;
            }
        }
        const QString typed = key->text();
        const bool printable = !typed.isEmpty() && typed.at(0).isPrint() &&
                               !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (printable) {
            // The keys typed since the editor opened; a key that fits nothing starts anew.
            QString keys = combo->property("typedKeys").toString() + typed;
            const char* type = CanTypeFor(S(keys), true);
            if (!type) {
                keys = typed;
                type = CanTypeFor(S(keys), true);
            }
            combo->setProperty("typedKeys", keys);
            if (type) {
                combo->setCurrentIndex(combo->findText(type));
                emit commitData(combo);
                emit closeEditor(combo, QAbstractItemDelegate::NoHint);
            }
            return true;
        }
    }
    return FrameTextDelegate::eventFilter(editor, event);
}

void FrameTypeDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* combo = static_cast<QComboBox*>(editor);
    combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
}

void FrameTypeDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
    const auto* combo = static_cast<QComboBox*>(editor);
    if (combo->currentIndex() >= 0) model->setData(index, combo->currentText(), Qt::EditRole);
}

namespace {
QRect CheckRect(const QStyleOptionViewItem& option, const QWidget* widget) {
    QStyle* style = widget ? widget->style() : QApplication::style();
    QStyleOptionButton box;
    const QRect r = style->subElementRect(QStyle::SE_CheckBoxIndicator, &box, widget);
    return QStyle::alignedRect(option.direction, Qt::AlignCenter, r.size(), option.rect);
}
} // namespace

void FrameCheckDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    // Background, selection and focus without the indicator, which goes in the middle.
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    QStyleOptionButton box;
    box.rect = CheckRect(option, opt.widget);
    box.state =
        QStyle::State_Enabled |
        (index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked ? QStyle::State_On
                                                                               : QStyle::State_Off);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, opt.widget);
}

bool FrameCheckDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                     const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (!(index.flags() & Qt::ItemIsUserCheckable)) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return false; // the view makes the cell current; the release toggles
    case QEvent::MouseButtonDblClick:
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton ||
            !option.rect.contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            return false;
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space &&
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Select)
            return false;
        break;
    default:
        return false;
    }
    const bool checked = index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

} // namespace kt
