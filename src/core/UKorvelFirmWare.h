#pragma once
// FKorvelFirmWare: the main window with the numbered configuration steps.

#include "checks/CheckProject.h"
#include "editors/UCAN_Bytes_SWAP.h"
#include "ui/AppState.h"
#include "ui/UQtTranslation.h"
#include "ui/UServices.h"

#include <QPointer>
#include <QProcess>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <optional>

class QLabel;
class QPushButton;
class QToolButton;
class QTimer;
class QFrame;

namespace kt {

class TFAbout;
class TFCheckProject;
class TFNew_Project;
class TFOpenConf;
class TFParGen;
class TFReceiveCAN;
class TFTransmitCAN;
class TFBoot;
class TFSoftOptions;
class TFCompareProjects;

// Names the application for the platform. No display name is set: Qt would append it to
// every window title, and the titles are the configurator's own texts.
void SetUpApplication();

class TFKorvelFirmWare : public QWidget {
    Q_OBJECT
public:
    // Runs the whole start-up (FormCreate) for the executable's folder exeDir.
    TFKorvelFirmWare(const std::filesystem::path& exeDir, const Services& services,
                     QWidget* parent = nullptr);
    ~TFKorvelFirmWare() override;

    [[nodiscard]] AppState& State() { return state_; }
    [[nodiscard]] const AppState& State() const { return state_; }

    void Btn_Click(QObject* sender);
    void Set_Lang();
    void Change_Language();
    // Writes Korvel.xml; a failure is reported but never keeps the program from ending.
    void Save_Setting();
    void Timer_UpdateTimer();
    void LL_UpdateLinkClick(const QString& link);
    void L_TarvixClick();
    // Enables the version-check timer when internet and update are both allowed; a running
    // countdown is left alone, and no countdown starts while a check awaits its answer.
    void ApplyTimerRule();
    // Starts NomeSW with the command line Parameter and waits for it (tipo: always false).
    void Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo);
    // The updater started before and left running by the wait limit has not ended yet.
    [[nodiscard]] bool UpdaterStillRunning() const;

    [[nodiscard]] QTimer* Timer_Update() const { return timer_; }
    // The windows the main window opens. Each is created on its first use and only through
    // its accessor, so no path meets one that does not exist yet; it takes the texts of the
    // language in use when created.
    [[nodiscard]] TFAbout* FAbout();
    [[nodiscard]] TFNew_Project* FNew_Project();
    [[nodiscard]] TFOpenConf* FOpenConf();
    [[nodiscard]] TFParGen* FParGen();
    [[nodiscard]] TFReceiveCAN* FReceiveCAN();
    [[nodiscard]] TFCAN_Bytes_SWAP* FCAN_Bytes_SWAP();
    [[nodiscard]] TFTransmitCAN* FTransmitCAN();
    [[nodiscard]] TFSoftOptions* FSoftOptions();
    [[nodiscard]] TFBoot* FBoot();
    [[nodiscard]] TFCheckProject* FCheckProject();
    [[nodiscard]] TFCompareProjects* FCompareProjects();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const std::filesystem::path& exeDir);
    // Keeps an unreadable Korvel.xml as Korvel.xml.bad and tells the user, once per start.
    void KeepDamagedSettingsFile(const std::string& damage);
    void LayOut();
    void ShowBanner();
    void FitBanner();
    // Puts the update notice beside the header, clear of the icon buttons.
    void PlaceUpdateNotice();
    void Create_New_Project();
    void Open_Project();
    void Update_Device();
    // Asks before an image built without ParGen.xml or without any frame (default No).
    [[nodiscard]] bool GoOnWithDefaults();
    // Qt's own texts (Yes/No, file dialogs) in the language of our language file.
    void LoadQtTexts(const std::string& languageName);
    // Last step of Update_Device: the update dialog in its CAN mode.
    void ShowUpdateDialog();
    // A finding's double-click: the list's dialog, on the finding's row.
    void OpenListAt(FindingList list, int row);
    QPushButton* StepButton(const char* name, int left, int top);
    QLabel* Label(const char* name, int left, int top);

    AppState state_;
    Services services_;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QLabel* L_Begin = nullptr;
    QFrame* Shape2 = nullptr;
    QLabel* L_Name_Conf = nullptr;
    QLabel* L_Name_Conf_L2 = nullptr;
    QToolButton* Btn_Info = nullptr;
    QToolButton* Btn_Opz = nullptr;
    QToolButton* Btn_Close = nullptr;
    QLabel* LL_Update = nullptr;
    QLabel* L_Step[8] = {};
    QPushButton* Btn_New = nullptr;
    QPushButton* Btn_Open = nullptr;
    QPushButton* Btn_Prm_Gen = nullptr;
    QPushButton* Btn_CAN_Rec_Frame = nullptr;
    QPushButton* Btn_CAN_Send_Frame = nullptr;
    QPushButton* Btn_PROFIBUS_GSD = nullptr;
    QPushButton* Btn_CreateBin = nullptr;
    QPushButton* Btn_Check_Project = nullptr;
    QPushButton* Btn_Handover = nullptr;
    QPushButton* Btn_Compare = nullptr;
    QLabel* L_Tarvix = nullptr;
    QFrame* Shape1 = nullptr;
    QTimer* timer_ = nullptr;
    bool checkPending_ = false;
    QPointer<QProcess> runningUpdater_; // left running by the wait limit; null once ended
    QtTranslation qtTexts_;

    // The frame dialogs edit a byte swap through this; it creates the swap editor when asked.
    class SwapOnDemand final : public SwapEditor {
    public:
        explicit SwapOnDemand(TFKorvelFirmWare& main) : main_(main) {}
        std::optional<std::uint8_t> Edit_Swap(std::uint8_t value) override;

    private:
        TFKorvelFirmWare& main_;
    };
    SwapOnDemand swapEditor_{*this};

    // Null until the accessor of the same name created the window; read directly only to
    // relabel the windows that exist.
    TFAbout* about_ = nullptr;
    TFNew_Project* newProject_ = nullptr;
    TFOpenConf* openConf_ = nullptr;
    TFParGen* parGen_ = nullptr;
    TFReceiveCAN* receiveCAN_ = nullptr;
    TFCAN_Bytes_SWAP* bytesSwap_ = nullptr;
    TFTransmitCAN* transmitCAN_ = nullptr;
    TFSoftOptions* softOptions_ = nullptr;
    TFBoot* boot_ = nullptr;
    TFCheckProject* checkProject_ = nullptr;
    TFCompareProjects* compare_ = nullptr;
};

} // namespace kt
