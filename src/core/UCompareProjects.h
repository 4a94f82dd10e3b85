#pragma once
// FCompareProjects: the open Project beside another Project of the Workspace, with the
// differences in a table.

#include "core/ProjectDiff.h"
#include "ui/AppState.h"
#include "ui/UPrompts.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace kt {

class DialogHeader;

class TFCompareProjects : public QDialog {
    Q_OBJECT
public:
    TFCompareProjects(AppState& state, Prompts& prompts, QWidget* parent = nullptr);
    void Set_Lang();
    // Compares the open Project with the one chosen in the list.
    void ListBox_ProjectsClick();

    [[nodiscard]] const ProjectDiff& Diff() const { return diff_; }
    [[nodiscard]] const std::vector<std::string>& Others() const { return others_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void ShowDiff();

    AppState& state_;
    Prompts& prompts_;
    std::vector<std::string> others_;
    ProjectDiff diff_;
    bool compared_ = false;

    DialogHeader* P_Title;
    QLabel* L_Other;
    QListWidget* ListBox_Projects;
    QLabel* L_Result;
    QTableWidget* ACG_Diff;
    QPushButton* Btn_Close;
};

} // namespace kt
