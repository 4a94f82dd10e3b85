#include "editors/UFrameListDialog.h"

#include "base/Identity.h"
#include "editors/FrameRows.h"
#include "editors/UCAN_Bytes_SWAP.h"
#include "editors/UComon.h"
#include "editors/UFrameDelegates.h"
#include "editors/UFrameTableModel.h"
#include "editors/UImportDbc.h"
#include "project/SwapBits.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace kt {

namespace {
constexpr int kClientHeight = 337;

// Texts of a list's dialog by their place after its first text (the title): both lists'
// blocks are laid out alike.
enum DialogText : int {
    kDescription = 1,
    kFirstCaption = 2,    // OK, Cancel, Delete Row, Insert Row, Copy Row, Paste Row, Create SWAP
    kFirstButtonHint = 9, // the hints of the same buttons
    kRefused = 44,        // "Paste refused: the block has "
    kColumnsLeft = 45,    // " columns, but from the current column there are only "
    kNothingPasted = 46,  // ". Nothing was pasted."
    kRowsLeft = 47,       // " rows, but from the current row there are only "
    kRefusedRow = 48,     // "Paste refused: row "
    kRefusedColumn = 49,  // ", column \""
    kRefusedText = 50,    // "\": \""
    kNotAType = 51,       // "\" is not one of ..."
    kNotACheckBox = 52,   // "\" is not one of Y, N, ..." (transmit list only)
    kTypeKeysHint = 53,   // the typed shortcuts of the Type column
};
static_assert(NthText(TextId::ReceiveTitle, kDescription) == TextId::ReceiveDescription &&
              NthText(TextId::ReceiveTitle, kFirstCaption) == TextId::ReceiveOk &&
              NthText(TextId::ReceiveTitle, kFirstButtonHint) == TextId::ReceiveOkHint &&
              NthText(TextId::ReceiveTitle, kRefused) == TextId::ReceivePasteRefused &&
              NthText(TextId::ReceiveTitle, kNotAType) == TextId::ReceiveNotAType &&
              NthText(TextId::ReceiveTitle, kTypeKeysHint) == TextId::ReceiveTypeKeysHint);
static_assert(NthText(TextId::TransmitTitle, kDescription) == TextId::TransmitDescription &&
              NthText(TextId::TransmitTitle, kFirstCaption) == TextId::TransmitOk &&
              NthText(TextId::TransmitTitle, kFirstButtonHint) == TextId::TransmitOkHint &&
              NthText(TextId::TransmitTitle, kRefused) == TextId::TransmitPasteRefused &&
              NthText(TextId::TransmitTitle, kNotACheckBox) == TextId::TransmitNotACheckBox &&
              NthText(TextId::TransmitTitle, kTypeKeysHint) == TextId::TransmitTypeKeysHint);

// Sets the captions with a keyboard accelerator from each one's own letters: the first free
// initial of a word, else the first free letter; a caption without a free letter gets none.
void SetCaptionsWithAccelerators(const std::vector<std::pair<QPushButton*, QString>>& captions) {
    QString used;
    for (const auto& [button, text] : captions) {
        int at = -1;
        for (const bool initialsOnly : {true, false}) {
            for (int i = 0; i < text.size() && at < 0; ++i) {
                const QChar c = text[i];
                const bool initial = i == 0 || text[i - 1].isSpace();
                if (c.isLetterOrNumber() && (initial || !initialsOnly) &&
                    !used.contains(c.toLower()))
                    at = i;
            }
            if (at >= 0) break;
        }
        QString caption = text;
        caption.replace('&', "&&");
        if (at >= 0) {
            used += text[at].toLower();
            // Each '&' before the letter became two.
            caption.insert(at + int(text.left(at).count('&')), '&');
        }
        button->setText(caption);
    }
}
} // namespace

TFrameListDialog::TFrameListDialog(const FrameDialogKind& kind, AppState& state, Prompts& prompts,
                                   SwapEditor& swapEditor, QWidget* parent)
    : QDialog(parent), kind_(kind), state_(state), prompts_(prompts), swapEditor_(swapEditor),
      list_(kind.kind) {
    setObjectName(kind_.dialogName);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    P_Title = new DialogHeader(SwCode, this);

    grid_ = new FrameGridView([this] { return state_.Settings.EnableJumpFieldTables; },
                              [this] { return state_.Settings.DoubleClickAutoSize; }, this);
    grid_->setObjectName(kind_.gridName);
    model_ = new FrameTableModel(list_, this);
    grid_->setModel(model_);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    const auto jump = [grid = grid_] { return grid->jumpEnabled(); };
    grid_->setItemDelegate(new FrameTextDelegate(*grid_, jump));
    for (int c = 1; c < model_->columnCount(); ++c) {
        if (model_->isTypeColumn(c))
            grid_->setItemDelegateForColumn(c, new FrameTypeDelegate(*grid_, jump));
        if (model_->isCheckColumn(c))
            grid_->setItemDelegateForColumn(c, new FrameCheckDelegate(grid_));
    }
    grid_->setColumnWidth(0, 32);
    const int mnemonic = model_->columnCount() - 1;
    for (int c = 1; c < mnemonic; ++c)
        grid_->setColumnWidth(c, model_->isTypeColumn(c) ? 120 : 90);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->horizontalHeader()->setHighlightSections(false);

    const auto button = [this](const char* name, void (TFrameListDialog::*handler)()) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        if (handler) connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    Btn_OK = button("Btn_OK", &TFrameListDialog::Btn_OKClick);
    Btn_Cancel = button("Btn_Cancel", nullptr);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    Btn_DelRow = button("Btn_DelRow", &TFrameListDialog::Btn_DelRowClick);
    Btn_InsRow = button("Btn_InsRow", &TFrameListDialog::Btn_InsRowClick);
    Btn_CopyRow = button("Btn_CopyRow", &TFrameListDialog::Btn_CopyRowClick);
    Btn_PasteRow = button("Btn_PasteRow", &TFrameListDialog::Btn_PasteRowClick);
    Btn_CreateSWAP = button("Btn_CreateSWAP", &TFrameListDialog::Btn_CreateSWAPClick);
    Btn_ImportDbc = button("Btn_ImportDbc", &TFrameListDialog::Btn_ImportDbcClick);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 6, 8, 8);
    buttons->setSpacing(6); // else it takes the window layout's 0 and the buttons touch
    for (QPushButton* b : {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow,
                           Btn_CreateSWAP, Btn_ImportDbc})
        buttons->addWidget(b);
    buttons->addStretch();

    StackDialog(this, {P_Title, {grid_, 1}, buttons});

    // Keyboard ways to the history and to OK; a cell editor keeps its own Ctrl+Z while open.
    auto* undo = new QAction(this);
    undo->setShortcuts(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] { UndoRedo(false); });
    auto* redo = new QAction(this);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, this, [this] { UndoRedo(true); });
    addActions({undo, redo});
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this,
                &TFrameListDialog::Btn_OKClick);
    connect(model_, &FrameTableModel::rowsChanged, this, &TFrameListDialog::UpdateTitle);
    grid_->setPasteRefused(
        [this](const PasteVerdict& verdict) { prompts_.error(PasteRefusalText(verdict)); });

    resize(kind_.clientWidth, kClientHeight);
    Set_Lang();
}

TFrameListDialog::~TFrameListDialog() {
    // The grid and its model read list_, which goes before the base class takes them down.
    delete grid_;
    delete model_;
}

void TFrameListDialog::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    const TextId f = kind_.firstText;
    UpdateTitle();
    P_Title->description()->setText(t(NthText(f, kDescription)));
    QPushButton* const buttons[] = {Btn_OK,      Btn_Cancel,   Btn_DelRow,    Btn_InsRow,
                                    Btn_CopyRow, Btn_PasteRow, Btn_CreateSWAP};
    std::vector<std::pair<QPushButton*, QString>> captions;
    for (int i = 0; i < 7; ++i)
        captions.emplace_back(buttons[i], t(NthText(f, kFirstCaption + i)));
    SetCaptionsWithAccelerators(captions);
    for (int i = 0; i < 7; ++i)
        buttons[i]->setToolTip(t(NthText(f, kFirstButtonHint + i)));
    Btn_ImportDbc->setText(t(TextId::DbcImportButton));
    Btn_ImportDbc->setToolTip(t(TextId::DbcImportHint));

    QStringList headers;
    for (int c = 0; c < model_->columnCount(); ++c)
        headers << t(NthText(kind_.firstHeader, c));
    hints_.clear();
    for (int c = 1; c < model_->columnCount(); ++c)
        hints_ << t(NthText(kind_.firstHint, c - 1)) +
                      (model_->isTypeColumn(c) ? "\n" + t(NthText(f, kTypeKeysHint)) : QString());
    model_->setHeaderTexts(headers, hints_);
}

QString TFrameListDialog::GridHint(int row, int column) const {
    if (row != 0 || column < 1 || column > hints_.size()) return {};
    return hints_[column - 1];
}

void TFrameListDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TFrameListDialog::UpdateTitle() {
    setWindowTitle(Q(state_.Text(kind_.firstText)) + (model_->isModified() ? "*" : ""));
}

void TFrameListDialog::UndoRedo(bool redo) {
    CommitEdit();
    if (redo)
        model_->undoStack().redo();
    else
        model_->undoStack().undo();
}

bool TFrameListDialog::MayDiscard() {
    return !model_->isModified() ||
           prompts_.confirmDestructive(Q(state_.Text(kind_.discardQuestion)));
}

void TFrameListDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (MayDiscard()) reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFrameListDialog::closeEvent(QCloseEvent* event) {
    // A typed text still in its cell editor counts as an edit.
    CommitEdit();
    if (isVisible() && !MayDiscard()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

QString TFrameListDialog::PasteRefusalText(const PasteVerdict& v) const {
    const auto t = [this](DialogText offset) {
        return Q(state_.Text(NthText(kind_.firstText, offset)));
    };
    const QString n = QString::number(v.size), room = QString::number(v.room);
    switch (v.refusal) {
    case PasteRefusal::TooWide:
        return t(kRefused) + n + t(kColumnsLeft) + room + t(kNothingPasted);
    case PasteRefusal::TooLong:
        return t(kRefused) + n + t(kRowsLeft) + room + t(kNothingPasted);
    case PasteRefusal::NotAChoice:
        return t(kRefusedRow) + QString::number(v.row + 1) + t(kRefusedColumn) +
               Q(FrameColumnText(kind_.kind, v.field, state_.Lang)) + t(kRefusedText) + Q(v.text) +
               t(IsCheckField(kind_.kind, v.field) ? kNotACheckBox : kNotAType);
    case PasteRefusal::None:
        break;
    }
    return {};
}

void TFrameListDialog::FormShow() {
    Status loaded;
    model_->load([&](FrameList& list) { loaded = list.Load_Frames(state_.Files.*kind_.file); });
    doCopy_ = false;
    const QModelIndex start = model_->index(std::clamp(startRow_, 0, FrameList::Rows - 1), 1);
    startRow_ = 0;
    grid_->setCurrentIndex(start);
    grid_->scrollTo(start);
    grid_->setFocus();
    if (!loaded) prompts_.error(Q(loaded.message));
}

int TFrameListDialog::CurrentRow() const {
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TFrameListDialog::CommitEdit() {
    // Taking the focus away ends the cell editor, which hands its text to the model.
    if (QWidget* focus = focusWidget(); focus && focus != grid_ && grid_->isAncestorOf(focus))
        grid_->setFocus();
}

void TFrameListDialog::Btn_OKClick() {
    CommitEdit();
    if (const std::string error = list_.Controllo_dati(state_.Lang); !error.empty()) {
        prompts_.error(Q(error));
        return;
    }
    if (const Status saved = list_.Save_Frames(state_.Files.*kind_.file); !saved) {
        prompts_.error(Q(saved.message));
        return;
    }
    accept();
}

void TFrameListDialog::Btn_DelRowClick() {
    CommitEdit();
    const int row = CurrentRow();
    if (row < 0) return;
    if (!prompts_.confirmDestructive(Q(state_.Text(kind_.deleteQuestion)) +
                                     QString::number(row + 1)))
        return;
    model_->changeList([row](FrameList& list) { Grid_Delete_Row(list, row); });
}

void TFrameListDialog::Btn_InsRowClick() {
    CommitEdit();
    const int row = CurrentRow();
    if (row < 0) return;
    // Inserting pushes the last row out of the list; never drop a frame silently.
    if (InsertDropsLastRow(list_) &&
        !prompts_.confirmDestructive(Q(state_.Text(kind_.insertQuestion))))
        return;
    model_->changeList([row](FrameList& list) { Grid_Insert_Row(list, row); });
}

void TFrameListDialog::Btn_CopyRowClick() {
    CommitEdit();
    const int row = CurrentRow();
    if (row < 0) return;
    state_.RowCopyBuffer = Grid_Copy_Row(list_, row);
    doCopy_ = true;
}

void TFrameListDialog::Btn_PasteRowClick() {
    CommitEdit();
    const int row = CurrentRow();
    if (row < 0) return;
    switch (CheckPaste(list_, row, doCopy_, state_.RowCopyBuffer)) {
    case PasteCheck::NothingCopied:
        prompts_.error(Q(state_.Text(TextId::PasteNothingCopied)));
        return;
    case PasteCheck::WrongShape:
        prompts_.error(Q(state_.Text(TextId::PasteWrongShape)));
        return;
    case PasteCheck::RowInUse:
        if (!prompts_.confirmDestructive(Q(state_.Text(TextId::PasteRowInUse)))) return;
        break;
    case PasteCheck::Free:
        break;
    }
    const std::vector<std::string> buffer = state_.RowCopyBuffer;
    model_->changeList([row, &buffer](FrameList& list) { Grid_Paste_Row(list, row, buffer); });
}

void TFrameListDialog::Btn_CreateSWAPClick() {
    CommitEdit();
    const int row = CurrentRow();
    if (!CanCreateSwap(list_, row)) return;
    const std::optional<std::uint8_t> edited =
        swapEditor_.Edit_Swap(SwapFromCell(list_.field(row, RxSWAP)));
    if (!edited) return;
    model_->setData(model_->index(row, RxSWAP + 1), Q(SwapValueText(*edited)), Qt::EditRole);
}

} // namespace kt

namespace kt {

void TFrameListDialog::Btn_ImportDbcClick() {
    CommitEdit();
    const QString file =
        prompts_.openFileName(QPath(state_.ProjectDir), Q(state_.Text(TextId::DbcFileFilter)));
    if (file.isEmpty()) return;
    const Result<DbcDatabase> read = ReadDbcFile(PathOf(file));
    if (!read) {
        prompts_.error(Q(state_.Text(TextId::DbcCannotRead)) + file + ": " +
                       Q(read.status.message));
        return;
    }
    TFImportDbc window(state_, prompts_, read.value, file, list_, this);
    if (window.exec() == QDialog::Accepted) applyImportedRows(window.Rows());
}

void TFrameListDialog::applyImportedRows(const std::vector<ImportedRowAt>& rows) {
    if (rows.empty()) return;
    model_->changeList([&rows](FrameList& list) { ApplyImport(list, rows); });
    grid_->setCurrentIndex(model_->index(rows.front().row, 1));
}

} // namespace kt
