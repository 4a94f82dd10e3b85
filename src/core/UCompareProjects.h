#pragma once
// FCompareProjects: the open Project beside another Project of the Workspace or any Project
// folder, with the differences in a table.

#include "checks/ProjectDiff.h"
#include "ui/AppState.h"
#include "ui/UPrompts.h"

#include <QDialog>

#include <filesystem>
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
    // Compares the open Project with the one chosen in the list; its last entry asks for a
    // folder outside the Workspace.
    void ListBox_ProjectsClick();

    [[nodiscard]] const ProjectDiff& Diff() const { return diff_; }
    // The names of the other Projects of the Workspace, as listed.
    [[nodiscard]] const std::vector<std::string>& Others() const { return others_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void ShowDiff();
    void Compare(const std::filesystem::path& other);
    // The folder chooser behind the list's last entry.
    void ChooseFolder();
    [[nodiscard]] int FolderRow() const;

    AppState& state_;
    Prompts& prompts_;
    std::vector<std::string> others_;
    std::vector<std::filesystem::path> chosen_; // folders from the chooser, listed after others_
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
