#pragma once
// FOpenConf: lists the existing Projects and offers the chosen name.

#include "ui/AppState.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace kt {

class DialogHeader;

class TFOpenConf : public QDialog {
    Q_OBJECT
public:
    explicit TFOpenConf(AppState& state, QWidget* parent = nullptr);
    void Set_Lang();
    // The chosen Project name, read by the main window after OK.
    [[nodiscard]] QString Name_Conf() const { return nameConf_; }
    [[nodiscard]] const std::vector<std::string>& SL() const { return sl_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void ListBox1Click();

    AppState& state_;
    std::vector<std::string> sl_;
    QString nameConf_;
    DialogHeader* P_Title;
    QLabel* Label1;
    QListWidget* ListBox1;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
};

} // namespace kt
