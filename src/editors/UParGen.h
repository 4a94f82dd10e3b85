#pragma once
// FParGen: the communication settings of the open Project (ParGen.xml).

#include "ui/AppState.h"
#include "ui/UPrompts.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QWheelEvent;

namespace kt {

class CollapsiblePanel;
class DialogHeader;

class TFParGen : public QDialog {
    Q_OBJECT
public:
    TFParGen(const AppState& state, Prompts& prompts, QWidget* parent = nullptr);

    void Set_Lang();
    // Shows the address rule's message when the address is refused.
    [[nodiscard]] bool Controllo_Dati();
    void Btn_OKClick();
    void Btn_CancelClick();
    void On_Change() { isChange_ = true; }
    void On_Click() { isChange_ = true; }
    // True when the wheel event was taken for the panel group.
    bool FormMouseWheel(QWheelEvent* event);
    [[nodiscard]] bool Is_Change() const { return isChange_; }

    static constexpr int ClientWidth = 460;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void Order_TAB_Panels();
    void Order_TAB_Panels_52903();
    void Move_GroupBoxs();
    void RePosition_Objects_52903();
    void RePosition_Object_CAN();
    void RePosition_Object_PROFIBUS();

    const AppState& state_;
    Prompts& prompts_;
    bool isChange_ = false;

    DialogHeader* P_Title;
    QScrollArea* CPG;
    CollapsiblePanel* CP_CAN;
    CollapsiblePanel* CP_PROFIBUS;
    QLabel* L_CAN_Baudrate;
    QComboBox* CB_CAN_Baudrate;
    QLabel* L_PROFIBUS_IDDevice;
    QLineEdit* E_PROFIBUS_IDDevice;
    QLabel* L_PROFIBUS_Baudrate;
    QComboBox* CB_PROFIBUS_Baudrate;
    QCheckBox* CB_PROFIBUS_CAN_Mapping;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
};

} // namespace kt
