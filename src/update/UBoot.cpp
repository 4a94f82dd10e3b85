#include "update/UBoot.h"

#include "base/Identity.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"
#include "update/UpdaterCommand.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kt {

namespace {
constexpr int kClientWidth = 449;

QWidget* Panel(const char* name, int height, QWidget* parent) {
    auto* p = new QWidget(parent);
    p->setObjectName(name);
    p->setFixedHeight(height);
    return p;
}
} // namespace

TFBoot::TFBoot(const AppState& state, const Services& services, StartProgramFn startProgram,
               QWidget* parent)
    : QDialog(parent), state_(state), services_(services), startProgram_(std::move(startProgram)) {
    setObjectName("FBoot");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    P_Title = new DialogHeader(SwCode, this);

    QWidget* P_CAN = Panel("P_CAN", 112, this);
    L_CAN_COM = Named(new QLabel(P_CAN), "L_CAN_COM");
    CB_CAN_COM_Port = Named(new QComboBox(P_CAN), "CB_CAN_COM_Port");
    Btn_CAN_COM_List = Named(new QToolButton(P_CAN), "Btn_CAN_COM_List");
    Btn_CAN_COM_List->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    L_CAN_Baudrate = Named(new QLabel(P_CAN), "L_CAN_Baudrate");
    CB_CAN_Baudrate = Named(new QComboBox(P_CAN), "CB_CAN_Baudrate");
    for (const std::string& e : CanBaudRateEntries())
        CB_CAN_Baudrate->addItem(Q(e));
    CB_CAN_Baudrate->setCurrentIndex(0);
    auto* can = new QGridLayout(P_CAN);
    can->setContentsMargins(16, 8, 16, 4);
    can->addWidget(L_CAN_COM, 0, 0, 1, 2);
    can->addWidget(CB_CAN_COM_Port, 1, 0);
    can->addWidget(Btn_CAN_COM_List, 1, 1);
    can->addWidget(L_CAN_Baudrate, 2, 0, 1, 2);
    can->addWidget(CB_CAN_Baudrate, 3, 0);
    can->setColumnStretch(0, 1);

    QWidget* P_Options = Panel("P_Options", 88, this);
    L_Update_Option = Named(new QLabel(P_Options), "L_Update_Option");
    CB_Update_Options = Named(new QComboBox(P_Options), "CB_Update_Options");
    CB_Update_Option_Read_Back = Named(new QCheckBox(P_Options), "CB_Update_Option_Read_Back");
    auto* options = new QGridLayout(P_Options);
    options->setContentsMargins(16, 4, 16, 4);
    options->addWidget(L_Update_Option, 0, 0, 1, 2);
    options->addWidget(CB_Update_Options, 1, 0);
    options->addWidget(CB_Update_Option_Read_Back, 2, 0);
    options->setColumnStretch(0, 1);
    options->setColumnMinimumWidth(1, Btn_CAN_COM_List->sizeHint().width());

    const ButtonPanel buttons = MakeButtonPanel(this, "Btn_Update");
    QWidget* P_Button = buttons.panel;
    Btn_Update = buttons.ok;
    Btn_Cancel = buttons.cancel;
    Btn_Update->setAutoDefault(false);
    Btn_Cancel->setAutoDefault(false);

    StackDialog(this, {P_Title, P_CAN, P_Options, P_Button});
    setFixedSize(kClientWidth,
                 P_Title->height() + P_CAN->height() + P_Options->height() + P_Button->height());

    setTabOrder(CB_CAN_COM_Port, Btn_CAN_COM_List);
    setTabOrder(Btn_CAN_COM_List, CB_CAN_Baudrate);
    setTabOrder(CB_CAN_Baudrate, CB_Update_Options);
    setTabOrder(CB_Update_Options, CB_Update_Option_Read_Back);
    setTabOrder(CB_Update_Option_Read_Back, Btn_Update);
    setTabOrder(Btn_Update, Btn_Cancel);

    connect(Btn_CAN_COM_List, &QToolButton::clicked, this, &TFBoot::Btn_CAN_COM_ListClick);
    connect(Btn_Update, &QPushButton::clicked, this, &TFBoot::Btn_UpdateClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFBoot::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    setWindowTitle(t(TextId::MainUpdateButton));
    P_Title->description()->setText(t(TextId::UpdateDescription));
    L_CAN_COM->setText(t(TextId::UpdateComPort));
    Btn_CAN_COM_List->setToolTip(t(TextId::UpdateRefreshPortsHint));
    L_CAN_Baudrate->setText(t(TextId::UpdateCanBaudrate));
    // The bit rates are numbers; only the automatic search is a word. The updater gets the
    // index, so the choice is kept.
    CB_CAN_Baudrate->setItemText(0, t(TextId::UpdateSearchBaudrate));
    L_Update_Option->setText(t(TextId::UpdateOptions));
    CB_Update_Options->clear();
    CB_Update_Options->addItems({t(TextId::UpdateFirmwareAndConfiguration),
                                 t(TextId::UpdateFirmware), t(TextId::UpdateConfiguration)});
    CB_Update_Options->setCurrentIndex(0);
    CB_Update_Options->setToolTip(t(TextId::UpdateOptionsHint));
    CB_Update_Option_Read_Back->setText(t(TextId::UpdateReadBack));
    CB_Update_Option_Read_Back->setToolTip(t(TextId::UpdateReadBackHint));
    Btn_Cancel->setText(t(TextId::UpdateCancel));
    Btn_Cancel->setToolTip(t(TextId::UpdateCancelHint));
    Btn_Update->setText(t(TextId::UpdateExecute));
    Btn_Update->setToolTip(t(TextId::UpdateExecuteHint));
}

void TFBoot::FormShow() {
    Set_Lang();
    CB_Update_Options->setCurrentIndex(0);
    CB_Update_Option_Read_Back->setChecked(true);
    update_CAN_ComPort();
    if (CB_CAN_COM_Port->isEnabled()) CB_CAN_COM_Port->setFocus();
}

void TFBoot::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFBoot::update_CAN_ComPort() {
    CB_CAN_COM_Port->clear();
    const QList<SerialPortEntry> ports =
        services_.listSerialPorts ? services_.listSerialPorts() : QList<SerialPortEntry>();
    for (const SerialPortEntry& p : ports)
        CB_CAN_COM_Port->addItem(p.name, p.location);
    CB_CAN_COM_Port->setCurrentIndex(ports.isEmpty() ? -1 : 0);
    // Without a port the updater would read the baud-rate index as the port.
    Btn_Update->setEnabled(!ports.isEmpty());
}

QString TFBoot::CommandLine() const {
    UpdaterRequest r;
    r.port = S(CB_CAN_COM_Port->currentData().toString());
    r.baudIndex = CB_CAN_Baudrate->currentIndex();
    r.option = static_cast<UpdateOption>(std::max(0, CB_Update_Options->currentIndex()));
    r.readBack = CB_Update_Option_Read_Back->isChecked();
    r.masterDir = state_.Workspace.MasterDir;
    r.projectDir = state_.ProjectDir;
    return Q(UpdaterCommandLine(r));
}

void TFBoot::Btn_UpdateClick() {
    if (CB_CAN_COM_Port->count() == 0) return;
    // The updater would fail half-way through a transfer without its firmware file.
    const bool writesFirmware =
        CB_Update_Options->currentIndex() != static_cast<int>(UpdateOption::Configuration);
    const std::filesystem::path firmware = state_.Workspace.MasterDir / FirmwareFileName;
    if (writesFirmware && !IsRegularFile(firmware)) {
        services_.prompts.error(Q(state_.Text(TextId::UpdateFirmwareMissing)) + QPath(firmware));
        return;
    }
    startProgram_(QPath(state_.Workspace.ExeDir / UpdaterFileName), CommandLine(), false);
}

} // namespace kt
