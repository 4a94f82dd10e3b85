#pragma once
// FSoftOptions: language, internet use for the version check, and the frame table
// behaviours.

#include "ui/AppState.h"
#include "ui/UServices.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace kt {

class DialogHeader;

// What the dialog asks of the main window.
struct SoftOptionsHooks {
    std::function<void()> Change_Language; // re-applies the texts of all windows
    std::function<void()> ApplyTimerRule;  // switches the periodic version check
};

class TFSoftOptions : public QDialog {
    Q_OBJECT
public:
    static constexpr int TilesPerPage = 6;

    TFSoftOptions(AppState& state, const Services& services, SoftOptionsHooks hooks,
                  QWidget* parent = nullptr);

    void Set_Lang();
    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void Update_CheckBox();
    void Btn_NextClick(QObject* sender);
    // tile: 1 to 6, the picture or the label of that tile was clicked.
    void LangClick(int tile);
    void Btn_Check_UpdateClick();
    void LL_Check_UpdateLinkClick(const QString& link);
    void Btn_OKClick();

    [[nodiscard]] int Show_Page() const { return showPage_; }
    [[nodiscard]] const std::vector<std::string>& SL_Languages() const { return languages_; }
    [[nodiscard]] const std::string& Language_In_Use() const { return languageInUse_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    [[nodiscard]] int PageCount() const;
    void ShowSelectedAndPage();
    void PlacePaging();

    AppState& state_;
    Services services_;
    SoftOptionsHooks hooks_;

    int showPage_ = 1;
    std::vector<std::string> languages_;
    std::string languageInUse_;
    bool checkRunning_ = false;
    int opening_ = 0; // tells answers of an earlier opening apart

    DialogHeader* P_Title;
    QTabWidget* PC_Options;
    QWidget* TS_Language;
    QWidget* TS_Con_Options;
    QWidget* TS_Soft_Settings;
    QLabel* L_Sel_Lang;
    QLabel* I_L[TilesPerPage];
    QLabel* L_L[TilesPerPage];
    QPushButton* Btn_Prev;
    QLabel* L_Page_Lang;
    QPushButton* Btn_Next;
    QCheckBox* CB_En_Con;
    QCheckBox* CB_Update;
    QPushButton* Btn_Check_Update;
    QLabel* LL_Check_Update;
    QCheckBox* CB_Soft_Set_Jump_Table;
    QCheckBox* CB_DoubleClick_Auto_Size;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
};

} // namespace kt
