#pragma once
// FCheckProject: the findings of the open Project, its CAN bus load and its I/O map.

#include "checks/CheckProject.h"
#include "checks/IoMap.h"
#include "ui/AppState.h"
#include "ui/UPrompts.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace kt {

class DialogHeader;

// Opens a list's dialog on a row (1..; 0: the list's first row), for the findings table.
using OpenListAt = std::function<void(FindingList list, int row)>;

class TFCheckProject : public QDialog {
    Q_OBJECT
public:
    TFCheckProject(AppState& state, Prompts& prompts, OpenListAt openList,
                   QWidget* parent = nullptr);

    void Set_Lang();
    // Reads the Project's files again and fills the three tables and the bus load.
    void RunCheck();
    // Opens the list of the findings table's row (0..).
    void OpenFinding(int row);
    void Btn_ExportClick();

    [[nodiscard]] const ProjectCheck& Result() const { return check_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillFindings();
    void FillMap(QTableWidget* table, const std::vector<IoMapRow>& rows);
    void UpdateButtons();

    AppState& state_;
    Prompts& prompts_;
    OpenListAt openList_;
    ProjectCheck check_;
    IoMap map_;
    Status mapStatus_;

    DialogHeader* P_Title;
    QLabel* L_Summary;
    QTabWidget* TS_Check;
    QTableWidget* ACG_Findings;
    QTableWidget* ACG_Inputs;
    QTableWidget* ACG_Outputs;
    QLabel* L_BusLoad;
    QProgressBar* PB_BusLoad;
    QPushButton* Btn_Export;
    QPushButton* Btn_Close;
};

// Errors the question before a step lists one by one; it counts the rest.
inline constexpr int QuestionErrorLines = 8;

// Runs the check before a step that hands the Project on (GSD file, Update Device, hand-over).
// True when there are no errors, or when the user chose to go on anyway (the default is No).
// Warnings never stop a step, and a file that cannot be read is left to the step's own message.
[[nodiscard]] bool GoOnDespiteErrors(const AppState& state, Prompts& prompts);

} // namespace kt
