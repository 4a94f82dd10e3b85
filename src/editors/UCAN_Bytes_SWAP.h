#pragma once
// FCAN_Bytes_SWAP: edits the byte swap value of one CAN frame.

#include "ui/AppState.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>

class QAbstractButton;
class QLabel;
class QPushButton;

namespace kt {

class DialogHeader;

// Edits a byte swap value: the frame list dialogs hold one of these.
class SwapEditor {
public:
    virtual ~SwapEditor() = default;
    // Shows the editor with `value`; the edited value after OK, nothing otherwise.
    virtual std::optional<std::uint8_t> Edit_Swap(std::uint8_t value) = 0;
};

class TFCAN_Bytes_SWAP : public QDialog, public SwapEditor {
    Q_OBJECT
public:
    explicit TFCAN_Bytes_SWAP(const AppState& state, QWidget* parent = nullptr);

    // Set by the caller before showing; read after the dialog closed with OK.
    [[nodiscard]] std::uint8_t Value() const { return value_; }
    void setValue(std::uint8_t value) { value_ = value; }
    // Sets Value, shows the dialog modally and returns Value when it closed with OK.
    std::optional<std::uint8_t> Edit_Swap(std::uint8_t value) override;

    void Set_Lang();
    void Refresh_Label();
    void SpeedBtnClick(QAbstractButton* button);

protected:
    void showEvent(QShowEvent* event) override;

private:
    const AppState& state_;
    std::uint8_t value_ = 0;

    DialogHeader* P_Title;
    QLabel* Label17;
    QLabel* Label18;
    std::array<QLabel*, 8> byteLabels_{};   // Label1..Label8
    std::array<QLabel*, 8> stateLabels_{};  // Label9..Label16
    std::array<QPushButton*, 8> toggles_{}; // SpeedButton1..SpeedButton8
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
};

} // namespace kt
