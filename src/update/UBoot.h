#pragma once
// FBoot: the update dialog; asks for the serial port, the CAN baud rate and what to update,
// then starts the updater.

#include "ui/AppState.h"
#include "ui/UServices.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace kt {

class DialogHeader;

class TFBoot : public QDialog {
    Q_OBJECT
public:
    // Start_Program(NomeSW, Parameter, tipo) of the main window.
    using StartProgramFn = std::function<void(const QString&, const QString&, bool)>;

    TFBoot(const AppState& state, const Services& services, StartProgramFn startProgram,
           QWidget* parent = nullptr);

    int Form_Type = 3; // 3: update over CAN through a USB to CAN adapter

    void Set_Lang();
    void update_CAN_ComPort();
    void Btn_CAN_COM_ListClick() { update_CAN_ComPort(); }
    void Btn_UpdateClick();
    // The command line Btn_UpdateClick would pass now.
    [[nodiscard]] QString CommandLine() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    const AppState& state_;
    Services services_;
    StartProgramFn startProgram_;

    DialogHeader* P_Title;
    QLabel* L_CAN_COM;
    QComboBox* CB_CAN_COM_Port;
    QToolButton* Btn_CAN_COM_List;
    QLabel* L_CAN_Baudrate;
    QComboBox* CB_CAN_Baudrate;
    QLabel* L_Update_Option;
    QComboBox* CB_Update_Options;
    QCheckBox* CB_Update_Option_Read_Back;
    QPushButton* Btn_Cancel;
    QPushButton* Btn_Update;
};

} // namespace kt
