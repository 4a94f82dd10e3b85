#pragma once
// The frame list dialogs (receive and transmit) share this window; TFReceiveCAN and
// TFTransmitCAN only choose the list, the texts and the names.

#include "dbc/DbcImport.h"
#include "editors/FrameRows.h"
#include "project/FrameList.h"
#include "ui/AppState.h"
#include "ui/UPrompts.h"

#include <QDialog>
#include <QStringList>

#include <filesystem>

class QPushButton;

namespace kt {

class DialogHeader;
class FrameGridView;
class FrameTableModel;
class SwapEditor;

// What makes one frame list dialog differ from the other.
struct FrameDialogKind {
    FrameKind kind;
    const char* dialogName; // FReceiveCAN / FTransmitCAN
    const char* gridName;   // ACG_CAN_Receive / ACG_CAN_Transmit
    TextId firstText;       // title; captions and hints follow
    TextId firstHeader;     // header of column 0, the others follow
    TextId firstHint;       // hint of column 1, the others follow
    TextId deleteQuestion;  // followed by the row number
    TextId insertQuestion;  // the last row would be lost
    TextId discardQuestion; // Escape with edits
    int clientWidth;
    std::filesystem::path ProjectFiles::*file;
};

class TFrameListDialog : public QDialog {
    Q_OBJECT
public:
    TFrameListDialog(const FrameDialogKind& kind, AppState& state, Prompts& prompts,
                     SwapEditor& swapEditor, QWidget* parent);
    ~TFrameListDialog() override;

    void Set_Lang();
    void Btn_OKClick();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    void Btn_CreateSWAPClick();
    // Asks for a DBC file, shows its messages and imports the checked ones.
    void Btn_ImportDbcClick();
    // Writes imported rows into the grid in one change of the list; the rows are checked by
    // OK like typed ones.
    void applyImportedRows(const std::vector<ImportedRowAt>& rows);
    // The hint over a cell (row 0 is the header row, column 0 the row numbers).
    [[nodiscard]] QString GridHint(int row, int column) const;
    // The next showing starts on this row (0..29) instead of the first one.
    void StartAtRow(int row) { startRow_ = row; }

    [[nodiscard]] const FrameList& Frames() const { return list_; }
    [[nodiscard]] FrameGridView* Grid() const { return grid_; }
    // Every change of the rows goes through the model (FrameTableModel::replaceRows puts
    // many rows in at once as one undoable step).
    [[nodiscard]] FrameTableModel& Model() const { return *model_; }
    [[nodiscard]] const QStringList& Hints() const { return hints_; }
    [[nodiscard]] bool Do_Copy() const { return doCopy_; }

protected:
    void showEvent(QShowEvent* event) override;
    // Escape asks before it throws edits away; with none it closes as Cancel.
    void keyPressEvent(QKeyEvent* event) override;
    // The close box asks as Escape does; Cancel stays the explicit discard.
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    // The title with "*" while the rows differ from the file.
    void UpdateTitle();
    void UndoRedo(bool redo);
    // The current data row (0..29), -1 when none.
    [[nodiscard]] int CurrentRow() const;
    // Ends an open cell edit so its text reaches the list before a button acts on it.
    void CommitEdit();
    // With edits: asks whether to throw them away. True when the dialog may close.
    bool MayDiscard();
    // The message of a refused paste, naming the column by its header.
    [[nodiscard]] QString PasteRefusalText(const PasteVerdict& verdict) const;

    const FrameDialogKind kind_;
    AppState& state_;
    Prompts& prompts_;
    SwapEditor& swapEditor_;
    FrameList list_;
    bool doCopy_ = false;
    int startRow_ = 0;
    QStringList hints_; // Hint_ReceiveCAN / Hint_TransmitCAN

    DialogHeader* P_Title;
    FrameGridView* grid_;
    FrameTableModel* model_;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
    QPushButton* Btn_DelRow;
    QPushButton* Btn_InsRow;
    QPushButton* Btn_CopyRow;
    QPushButton* Btn_PasteRow;
    QPushButton* Btn_CreateSWAP;
    QPushButton* Btn_ImportDbc;
};

} // namespace kt
