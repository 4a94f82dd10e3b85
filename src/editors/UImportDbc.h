#pragma once
// FImportDbc: the messages of a CAN database with a check box each; the checked ones are
// planned into the first empty rows of a frame list. Applying them is the list dialog's job.

#include "dbc/DbcImport.h"
#include "ui/AppState.h"
#include "ui/UPrompts.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace kt {

class DialogHeader;
class DbcMessageModel;

class TFImportDbc : public QDialog {
    Q_OBJECT
public:
    // `list` is the list as it stands in the dialog; it is only read.
    TFImportDbc(const AppState& state, Prompts& prompts, const DbcDatabase& db,
                const QString& fileName, const FrameList& list, QWidget* parent = nullptr);
    ~TFImportDbc() override;

    void Set_Lang();
    // Preselects the messages that fit the list for the node of the selector.
    void CB_NodeChange();
    // Plans the checked messages; a refusal is shown and the window stays open.
    void Btn_ImportClick();

    // The rows planned by the last successful Import.
    [[nodiscard]] const std::vector<ImportedRowAt>& Rows() const { return rows_; }
    [[nodiscard]] std::vector<const DbcMessage*> Checked() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const AppState& state_;
    Prompts& prompts_;
    const DbcDatabase& db_;
    const FrameList& list_;
    std::vector<ImportedRowAt> rows_;

    DialogHeader* P_Title;
    QLabel* L_File;
    QLabel* L_Node;
    QComboBox* CB_Node;
    QLabel* L_TimeOutFactor;
    QSpinBox* E_TimeOutFactor;
    QPushButton* Btn_SelectAll;
    QPushButton* Btn_SelectNone;
    QTableView* ACG_Messages;
    DbcMessageModel* model_;
    QPushButton* Btn_Import;
    QPushButton* Btn_Cancel;
    QString fileName_;
};

} // namespace kt
