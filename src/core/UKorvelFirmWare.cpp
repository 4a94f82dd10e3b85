#include "core/UKorvelFirmWare.h"

#include "base/Identity.h"
#include "checks/UCheckProject.h"
#include "core/UCompareProjects.h"
#include "core/UNew_Project.h"
#include "core/UOpenConf.h"
#include "editors/UParGen.h"
#include "editors/UReceiveCAN.h"
#include "editors/UTransmitCAN.h"
#include "handover/UHandover.h"
#include "lang/LanguageFile.h"
#include "options/UAbout.h"
#include "options/USoftOptions.h"
#include "outputs/UProfibus_GSD.h"
#include "outputs/USaveBincc.h"
#include "project/Project.h"
#include "ui/UIcons.h"
#include "ui/UQtText.h"
#include "ui/UQtTranslation.h"
#include "update/UBoot.h"
#include "update/UStartProgram.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace kt {

namespace {
constexpr int kFirstInterval = 60000;    // first check of a run: one minute after enabling
constexpr int kRepeatInterval = 7200000; // later checks: every two hours
constexpr int kClientWidth = 694;
constexpr int kStepTop[6] = {128, 172, 216, 260, 304, 348};
} // namespace

void SetUpApplication() {
    QCoreApplication::setApplicationName(SwCode);
}

TFKorvelFirmWare::TFKorvelFirmWare(const std::filesystem::path& exeDir, const Services& services,
                                   QWidget* parent)
    : QWidget(parent), services_(services) {
    setObjectName("FKorvelFirmWare");
    FormCreate(exeDir);
}

TFKorvelFirmWare::~TFKorvelFirmWare() = default;

void TFKorvelFirmWare::FormCreate(const std::filesystem::path& exeDir) {
    LayOut();
    state_.Workspace = MakeWorkspacePaths(exeDir);
    CreateWorkspaceDirs(state_.Workspace);
    const Result<AppSettings> settings = ReadSettings(SettingsFile(state_.Workspace));
    state_.Settings = settings.value;
    ApplyTimerRule();

    setWindowTitle(MainCaption);
    L_SW_Code->setText(SwCode);
    L_SW_Desc->setText(SwDescription);

    const Status lang =
        Load_Language(state_.Workspace.LanguageDir, state_.Settings.LanguageName, state_.Lang);
    LoadQtTexts(state_.Settings.LanguageName);

    // A name that is not a plain Project name opens nothing and is written back unchanged.
    const std::string stored = state_.Settings.ProjectName;
    state_.MakeProjectCurrent(stored, ExistingProjectDir(state_.Workspace.ProjectsDir, stored));

    Set_Lang();
    state_.RowCopyBuffer.clear();
    if (!lang.ok()) services_.prompts.error(Q(lang.message));
    if (Unreadable(settings.status)) KeepDamagedSettingsFile(settings.status.message);
    // Said once at start-up, so no one edits a Project only to find it cannot be saved.
    const Status writable = CheckWorkspaceWritable(state_.Workspace);
    if (!writable.ok())
        services_.prompts.error(Q(state_.Text(TextId::MainWorkspaceNotWritable) +
                                  PathToUtf8(state_.Workspace.ExeDir) + "\n" + writable.message +
                                  "\n\n" + state_.Text(TextId::MainWorkspaceCannotSave) + "\n" +
                                  state_.Text(TextId::MainWorkspaceInstallElsewhere) + "\n" +
                                  state_.Text(TextId::MainWorkspaceGrantAccess) + "\n" +
                                  state_.Text(TextId::MainWorkspaceViewOnly)));
}

void TFKorvelFirmWare::KeepDamagedSettingsFile(const std::string& damage) {
    // The next save rewrites Korvel.xml with the defaults; what the user wrote by hand stays
    // in the copy.
    const std::filesystem::path file = SettingsFile(state_.Workspace);
    const Status kept = KeepDamagedSettings(file);
    const QString text =
        kept ? Q(state_.Text(TextId::MainSettingsKeptAs)) + QPath(DamagedSettingsFile(file))
             : Q(state_.Text(TextId::MainSettingsNotKept)) + Q(kept.message);
    services_.prompts.error(text + "\n" + Q(damage));
}

QLabel* TFKorvelFirmWare::Label(const char* name, int left, int top) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->move(left, top);
    return l;
}

QPushButton* TFKorvelFirmWare::StepButton(const char* name, int left, int top) {
    auto* b = new QPushButton(this);
    b->setObjectName(name);
    b->setGeometry(left, top, 170, 36);
    connect(b, &QPushButton::clicked, this, [this, b] { Btn_Click(b); });
    return b;
}

void TFKorvelFirmWare::LayOut() {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xF4, 0xF6, 0xF8));
    setPalette(pal);

    L_SW_Code = Label("L_SW_Code", 16, 8);
    QFont codeFont = font();
    codeFont.setPointSize(20);
    codeFont.setBold(true);
    L_SW_Code->setFont(codeFont);
    L_SW_Code->setStyleSheet("color: #808080;");

    L_SW_Desc = Label("L_SW_Desc", 16, 42);
    QFont bold = font();
    bold.setBold(true);
    L_SW_Desc->setFont(bold);
    L_SW_Desc->setStyleSheet("color: #808080;");

    L_Begin = Label("L_Begin", 16, 84);
    L_Begin->setFont(bold);

    Shape2 = new QFrame(this);
    Shape2->setObjectName("Shape2");
    Shape2->setGeometry(80, 70, 348, 36);
    Shape2->setStyleSheet("QFrame#Shape2 { border: 1px solid #A0A0A0; background: transparent; }");

    L_Name_Conf = Label("L_Name_Conf", 87, 75);
    L_Name_Conf_L2 = Label("L_Name_Conf_L2", 87, 88);

    const auto iconButton = [this](const char* name, int left, IconKind icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setGeometry(left, 8, 50, 50);
        b->setIcon(MakeIcon(icon));
        b->setIconSize(QSize(36, 36));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, [this, b] { Btn_Click(b); });
        return b;
    };
    Btn_Info = iconButton("Btn_Info", 516, IconKind::Info);
    Btn_Opz = iconButton("Btn_Opz", 574, IconKind::Options);
    Btn_Close = iconButton("Btn_Close", 632, IconKind::Close);

    LL_Update = Label("LL_Update", 208, 19);
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->setTextInteractionFlags(Qt::TextBrowserInteraction);
    LL_Update->setOpenExternalLinks(false);
    connect(LL_Update, &QLabel::linkActivated, this,
            [this](const QString& link) { LL_UpdateLinkClick(link); });
    LL_Update->hide();

    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "L_Step_" + QByteArray::number(i + 1);
        L_Step[i] = Label(name.constData(), 16, 128 + 44 * i);
        L_Step[i]->setFont(bold);
        if (i >= 6) L_Step[i]->hide();
    }

    Btn_New = StepButton("Btn_New", 80, 112);
    Btn_Open = StepButton("Btn_Open", 258, 112);
    Btn_Prm_Gen = StepButton("Btn_Prm_Gen", 80, 156);
    Btn_CAN_Rec_Frame = StepButton("Btn_CAN_Rec_Frame", 80, 200);
    Btn_CAN_Send_Frame = StepButton("Btn_CAN_Send_Frame", 80, 244);
    Btn_PROFIBUS_GSD = StepButton("Btn_PROFIBUS_GSD", 80, 288);
    Btn_CreateBin = StepButton("Btn_CreateBin", 80, 332);
    Btn_Check_Project = StepButton("Btn_Check_Project", 258, 156);
    Btn_Handover = StepButton("Btn_Handover", 258, 288); // beside step 5, the GSD file
    Btn_Compare = StepButton("Btn_Compare", 436, 156);

    L_Tarvix = Label("L_Tarvix", 565, kStepTop[5]);
    L_Tarvix->setFont(bold);
    L_Tarvix->setText(VisibleAddress);
    L_Tarvix->setCursor(Qt::PointingHandCursor);
    L_Tarvix->installEventFilter(this);
    L_Tarvix->adjustSize();
    // Keep the address inside the window whatever the font.
    if (L_Tarvix->x() + L_Tarvix->width() > kClientWidth - 4)
        L_Tarvix->move(kClientWidth - 4 - L_Tarvix->width(), L_Tarvix->y());

    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(10, Btn_CreateBin->y() + 51, 674, 1);
    Shape1->setStyleSheet("background: #A0A0A0;");

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer_Update");
    timer_->setInterval(kFirstInterval);
    connect(timer_, &QTimer::timeout, this, &TFKorvelFirmWare::Timer_UpdateTimer);

    setFixedSize(kClientWidth, Btn_CreateBin->y() + 152);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// The windows come on first use: the main window shows without waiting for them.
TFAbout* TFKorvelFirmWare::FAbout() {
    if (!about_) about_ = new TFAbout(services_.prompts, this);
    return about_;
}

TFNew_Project* TFKorvelFirmWare::FNew_Project() {
    if (!newProject_) newProject_ = new TFNew_Project(state_, services_.prompts, this);
    return newProject_;
}

TFOpenConf* TFKorvelFirmWare::FOpenConf() {
    if (!openConf_) openConf_ = new TFOpenConf(state_, this);
    return openConf_;
}

TFSoftOptions* TFKorvelFirmWare::FSoftOptions() {
    if (!softOptions_)
        softOptions_ = new TFSoftOptions(
            state_, services_, {[this] { Change_Language(); }, [this] { ApplyTimerRule(); }}, this);
    return softOptions_;
}

TFParGen* TFKorvelFirmWare::FParGen() {
    if (!parGen_) parGen_ = new TFParGen(state_, services_.prompts, this);
    return parGen_;
}

TFReceiveCAN* TFKorvelFirmWare::FReceiveCAN() {
    if (!receiveCAN_) receiveCAN_ = new TFReceiveCAN(state_, services_.prompts, swapEditor_, this);
    return receiveCAN_;
}

TFCAN_Bytes_SWAP* TFKorvelFirmWare::FCAN_Bytes_SWAP() {
    if (!bytesSwap_) bytesSwap_ = new TFCAN_Bytes_SWAP(state_, this);
    return bytesSwap_;
}

std::optional<std::uint8_t> TFKorvelFirmWare::SwapOnDemand::Edit_Swap(std::uint8_t value) {
    return main_.FCAN_Bytes_SWAP()->Edit_Swap(value);
}

TFTransmitCAN* TFKorvelFirmWare::FTransmitCAN() {
    if (!transmitCAN_)
        transmitCAN_ = new TFTransmitCAN(state_, services_.prompts, swapEditor_, this);
    return transmitCAN_;
}

TFBoot* TFKorvelFirmWare::FBoot() {
    if (!boot_)
        boot_ = new TFBoot(
            state_, services_,
            [this](const QString& nomeSW, const QString& parameter, bool tipo) {
                Start_Program(nomeSW, parameter, tipo);
            },
            this);
    return boot_;
}

TFCheckProject* TFKorvelFirmWare::FCheckProject() {
    if (!checkProject_)
        checkProject_ = new TFCheckProject(
            state_, services_.prompts, [this](FindingList list, int row) { OpenListAt(list, row); },
            this);
    return checkProject_;
}

TFCompareProjects* TFKorvelFirmWare::FCompareProjects() {
    if (!compare_) compare_ = new TFCompareProjects(state_, services_.prompts, this);
    return compare_;
}

void TFKorvelFirmWare::OpenListAt(FindingList list, int row) {
    TFrameListDialog* dialog = nullptr;
    if (list == FindingList::Settings) {
        FParGen()->exec();
        return;
    }
    if (list == FindingList::Receive) dialog = FReceiveCAN();
    if (list == FindingList::Transmit) dialog = FTransmitCAN();
    if (!dialog) return;
    dialog->StartAtRow(row > 0 ? row - 1 : 0);
    dialog->exec();
}

void TFKorvelFirmWare::ShowBanner() {
    if (state_.ProjectOpen()) {
        L_Name_Conf->setText(Q(state_.Text(TextId::MainOpenedConfiguration)));
        L_Name_Conf_L2->setText(Q(state_.Settings.ProjectName));
    } else {
        L_Name_Conf->setText(Q(state_.Text(TextId::MainNoneOpened)));
        L_Name_Conf_L2->setText(Q(state_.Text(TextId::MainUseStep1)));
    }
    FitBanner();
}

void TFKorvelFirmWare::FitBanner() {
    // The frame grows for longer translations up to the icon buttons; a text that still does
    // not fit is elided and shown whole in its tooltip.
    constexpr int kPad = 7;
    const int maxWidth = Btn_Info->x() - 8 - Shape2->x();
    int needed = 0;
    for (QLabel* l : {L_Name_Conf, L_Name_Conf_L2}) {
        l->setToolTip(QString());
        needed = std::max(needed, l->fontMetrics().horizontalAdvance(l->text()) + 2 * kPad);
    }
    Shape2->resize(std::clamp(needed, 348, maxWidth), Shape2->height());
    const int room = Shape2->width() - 2 * kPad;
    for (QLabel* l : {L_Name_Conf, L_Name_Conf_L2}) {
        const QString full = l->text();
        if (l->fontMetrics().horizontalAdvance(full) > room) {
            l->setText(l->fontMetrics().elidedText(full, Qt::ElideRight, room));
            l->setToolTip(full);
        }
        l->adjustSize();
    }
}

void TFKorvelFirmWare::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    L_Begin->setText(t(TextId::MainBegin));
    for (int i = 0; i < 8; ++i)
        L_Step[i]->setText(t(NthText(TextId::MainStep1, i)));
    Btn_Info->setToolTip(t(TextId::MainInformationHint));
    Btn_Opz->setToolTip(t(TextId::MainOptionsHint));
    Btn_Close->setToolTip(t(TextId::MainCloseHint));
    Btn_New->setText(t(TextId::MainNewButton));
    Btn_Open->setText(t(TextId::MainOpenButton));
    Btn_CreateBin->setText(t(TextId::MainUpdateButton));
    Btn_Prm_Gen->setText(t(TextId::MainSetCommunicationButton));
    ShowBanner();
    Btn_New->setToolTip(t(TextId::MainNewHint));
    Btn_Open->setToolTip(t(TextId::MainOpenHint));
    Btn_Prm_Gen->setToolTip(t(TextId::MainSetCommunicationHint));
    Btn_CreateBin->setToolTip(t(TextId::MainUpdateHint));
    Btn_CAN_Rec_Frame->setText(t(TextId::MainReceiveButton));
    Btn_CAN_Send_Frame->setText(t(TextId::MainTransmitButton));
    Btn_CAN_Rec_Frame->setToolTip(t(TextId::MainReceiveHint));
    Btn_CAN_Send_Frame->setToolTip(t(TextId::MainTransmitHint));
    Btn_PROFIBUS_GSD->setText(t(TextId::MainGsdButton));
    Btn_PROFIBUS_GSD->setToolTip(t(TextId::MainGsdHint));
    Btn_Check_Project->setText(t(TextId::CheckTitle));
    Btn_Check_Project->setToolTip(t(TextId::CheckHint));
    Btn_Handover->setText(t(TextId::HandoverButton));
    Btn_Handover->setToolTip(t(TextId::HandoverHint));
    Btn_Compare->setText(t(TextId::CompareButton));
    Btn_Compare->setToolTip(t(TextId::CompareHint));
    for (QLabel* l : {L_Begin, L_Step[0], L_Step[1], L_Step[2], L_Step[3], L_Step[4], L_Step[5],
                      L_Step[6], L_Step[7]})
        l->adjustSize();
}

void TFKorvelFirmWare::LoadQtTexts(const std::string& languageName) {
    // Without its file Qt's texts stay English; our own texts are in the language anyway.
    static_cast<void>(qtTexts_.Load(QtTranslationsDir(state_.Workspace.ExeDir), languageName));
}

void TFKorvelFirmWare::Change_Language() {
    // The options dialog knows the language just loaded; the stored one changes only with OK.
    const std::string inUse = softOptions_ ? softOptions_->Language_In_Use() : std::string();
    LoadQtTexts(inUse.empty() ? state_.Settings.LanguageName : inUse);
    Set_Lang();
    // Only the windows that exist; one created later takes the texts then.
    if (newProject_) newProject_->Set_Lang();
    if (openConf_) openConf_->Set_Lang();
    if (softOptions_) softOptions_->Set_Lang();
    if (parGen_) parGen_->Set_Lang();
    if (receiveCAN_) receiveCAN_->Set_Lang();
    if (transmitCAN_) transmitCAN_->Set_Lang();
    if (bytesSwap_) bytesSwap_->Set_Lang();
    if (checkProject_) checkProject_->Set_Lang();
    if (compare_) compare_->Set_Lang();
}

void TFKorvelFirmWare::Btn_Click(QObject* sender) {
    if (sender == Btn_New) return Create_New_Project();
    if (sender == Btn_Open) return Open_Project();
    if (sender == Btn_Close) {
        close();
        return;
    }
    if (sender == Btn_Info) {
        FAbout()->exec();
        return;
    }
    if (sender == Btn_Opz) {
        if (FSoftOptions()->exec() == QDialog::Accepted) {
            Save_Setting();
            ApplyTimerRule();
        }
        return;
    }
    if (!state_.ProjectOpen()) {
        services_.prompts.error(Q(state_.Text(TextId::MainProjectNotValid)));
        return;
    }
    // Each editor saves its own file on OK; how it closed does not matter here.
    if (sender == Btn_Prm_Gen)
        FParGen()->exec();
    else if (sender == Btn_CAN_Rec_Frame)
        FReceiveCAN()->exec();
    else if (sender == Btn_CAN_Send_Frame)
        FTransmitCAN()->exec();
    else if (sender == Btn_PROFIBUS_GSD) {
        if (GoOnDespiteErrors(state_, services_.prompts))
            Create_GSD_File(state_, services_.prompts);
    } else if (sender == Btn_CreateBin)
        Update_Device();
    else if (sender == Btn_Check_Project)
        FCheckProject()->exec();
    else if (sender == Btn_Handover)
        CreateHandoverPack(state_, services_.prompts);
    else if (sender == Btn_Compare)
        FCompareProjects()->exec();
}

void TFKorvelFirmWare::Create_New_Project() {
    if (FNew_Project()->exec() == QDialog::Accepted) ShowBanner();
}

void TFKorvelFirmWare::Open_Project() {
    TFOpenConf* openConf = FOpenConf();
    if (openConf->exec() != QDialog::Accepted) return;
    const std::string name = S(openConf->Name_Conf());
    state_.MakeProjectCurrent(name, ExistingProjectDir(state_.Workspace.ProjectsDir, name));
    ShowBanner();
}

bool TFKorvelFirmWare::UpdaterStillRunning() const {
    return runningUpdater_ && runningUpdater_->state() != QProcess::NotRunning;
}

void TFKorvelFirmWare::Update_Device() {
    // The updater left running reads bin/bank1.bin: no new image under its feet.
    if (UpdaterStillRunning()) {
        services_.prompts.error(Q(state_.Text(TextId::UpdateStartedBefore)));
        return;
    }
    if (!GoOnDespiteErrors(state_, services_.prompts)) return;
    if (!GoOnWithDefaults()) return;
    // The updater must never get a stale or missing image: stop when it was not written.
    if (!Build_Bank_File(state_, services_.prompts)) return;
    ShowUpdateDialog();
}

bool TFKorvelFirmWare::GoOnWithDefaults() {
    // What the image compiler puts in place of a missing file; an unreadable file is left to
    // the compiler's own message.
    const ProjectData project = ReadProjectData(state_.Files);
    if (project.unreadable()) return true;
    const bool noSettings = !project.hasParGen();
    const bool noFrames = project.receiveImage.empty() && project.transmitImage.empty();
    if (!noSettings && !noFrames) return true;
    QString text;
    if (noSettings) text += Q(state_.Text(TextId::MainUpdateNoSettings)) + "\n";
    if (noFrames) text += Q(state_.Text(TextId::MainUpdateNoFrames)) + "\n";
    return services_.prompts.confirmDestructive(text + "\n" +
                                                Q(state_.Text(TextId::MainUpdateAnyway)));
}

void TFKorvelFirmWare::ShowUpdateDialog() {
    TFBoot* boot = FBoot();
    boot->Form_Type = 3;
    boot->exec();
}

void TFKorvelFirmWare::Start_Program(const QString& NomeSW, const QString& Parameter, bool) {
    Prompts& prompts = services_.prompts;
    // An updater left running after the wait still holds the serial port.
    if (UpdaterStillRunning()) {
        prompts.error(Q(state_.Text(TextId::UpdateStartedBefore)));
        return;
    }
    StartProgramOptions options;
    options.waitLimitMs = services_.updaterWaitLimitMs;
    options.busyText = Q(state_.Text(TextId::MainUpdateButton));
    options.notStartedText = Q(state_.Text(TextId::UpdateNotStarted));
    const StartProgramResult r = kt::Start_Program(
        NomeSW, Parameter, options, prompts,
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this);
    switch (r.outcome) {
    case StartProgramResult::Outcome::NotStarted: // reported with the system's reason
        break;
    case StartProgramResult::Outcome::Ended:
        if (r.succeeded())
            prompts.info(Q(state_.Text(TextId::UpdateFinished)));
        else
            prompts.error(Q(state_.Text(TextId::UpdateExitCode)) + QString::number(r.exitCode));
        break;
    case StartProgramResult::Outcome::StillRunning:
        runningUpdater_ = r.process;
        prompts.info(Q(state_.Text(TextId::UpdateStillRunning)));
        break;
    }
}

void TFKorvelFirmWare::Save_Setting() {
    const Status s = WriteSettings(SettingsFile(state_.Workspace), state_.Settings);
    if (!s.ok()) services_.prompts.error(Q(s.message));
}

void TFKorvelFirmWare::ApplyTimerRule() {
    if (!(state_.Settings.EnableInternet && state_.Settings.EnableUpdate))
        timer_->stop();
    else if (!timer_->isActive() && !checkPending_) // a running countdown is left alone
        timer_->start();
}

void TFKorvelFirmWare::Timer_UpdateTimer() {
    timer_->stop();
    checkPending_ = true;
    const QPointer<TFKorvelFirmWare> self(this);
    const auto finish = [this, self](bool newer) {
        if (!self) return;
        checkPending_ = false;
        if (newer) {
            LL_Update->setText(QString("<a href=\"%1\">%2</a>")
                                   .arg(QString(DownloadPageUrl),
                                        Q(state_.Text(TextId::MainNewVersion)).toHtmlEscaped()));
            PlaceUpdateNotice();
            LL_Update->show();
        } else {
            LL_Update->hide();
        }
        timer_->setInterval(kRepeatInterval);
        // The options dialog may have switched checks off while the answer was pending.
        ApplyTimerRule();
    };
    if (services_.checkVersion)
        services_.checkVersion(finish);
    else
        finish(false);
}

void TFKorvelFirmWare::PlaceUpdateNotice() {
    constexpr int left = 208, top = 19;
    const int width = Btn_Info->x() - 4 - left;
    LL_Update->setWordWrap(false);
    const QSize line = LL_Update->sizeHint();
    if (line.width() <= width) {
        LL_Update->setGeometry(left, top, line.width(), line.height());
        return;
    }
    // A longer translation wraps before the icon buttons and rises to stay above the
    // description line.
    LL_Update->setWordWrap(true);
    const int height = LL_Update->heightForWidth(width);
    LL_Update->setGeometry(left, std::max(0, std::min(top, L_SW_Desc->y() - 1 - height)), width,
                           height);
}

void TFKorvelFirmWare::LL_UpdateLinkClick(const QString& link) {
    services_.prompts.openUrl(link);
}

void TFKorvelFirmWare::L_TarvixClick() {
    services_.prompts.openUrl(HomePageUrl);
}

bool TFKorvelFirmWare::eventFilter(QObject* watched, QEvent* event) {
    if (watched == L_Tarvix && event->type() == QEvent::MouseButtonRelease) {
        L_TarvixClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFKorvelFirmWare::closeEvent(QCloseEvent* event) {
    Save_Setting();
    event->accept();
}

} // namespace kt
