#pragma once
// FNew_Project: asks for the name of a new Project and creates its folders.

#include "ui/AppState.h"
#include "ui/UPrompts.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kt {

class DialogHeader;

class TFNew_Project : public QDialog {
    Q_OBJECT
public:
    TFNew_Project(AppState& state, Prompts& prompts, QWidget* parent = nullptr);
    void Set_Lang();
    void Btn_OKClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppState& state_;
    Prompts& prompts_;
    DialogHeader* P_Title;
    QLabel* Label1;
    QLineEdit* E_New_Proj;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
};

} // namespace kt
