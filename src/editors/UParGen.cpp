#include "editors/UParGen.h"

#include "base/Identity.h"
#include "editors/UCollapsiblePanel.h"
#include "project/ParGenFile.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace kt {

namespace {
constexpr int kClientHeight = 700;
constexpr int kLabelLeft = 16;
constexpr int kFieldLeft = 140;
constexpr int kPanelBottomGap = 12;
constexpr int kInvalidIndex = -1;

[[nodiscard]] int Bottom(const QWidget* w) {
    return w->y() + w->height();
}
} // namespace

TFParGen::TFParGen(const AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts) {
    setObjectName("FParGen");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    FormCreate();
}

void TFParGen::FormCreate() {
    P_Title = new DialogHeader(SwCode, this);

    CPG = new QScrollArea(this);
    CPG->setObjectName("CPG");
    CPG->setWidgetResizable(true);
    CPG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* group = new QWidget;
    group->setObjectName("CPG_Panels");
    CP_CAN = new CollapsiblePanel("CP_CAN", group);
    CP_PROFIBUS = new CollapsiblePanel("CP_PROFIBUS", group);
    auto* panels = new QVBoxLayout(group);
    panels->setContentsMargins(0, 0, 0, 0);
    panels->setSpacing(0);
    panels->addWidget(CP_CAN);
    panels->addWidget(CP_PROFIBUS);
    panels->addStretch();
    CPG->setWidget(group);

    QWidget* can = CP_CAN->content();
    L_CAN_Baudrate = new QLabel(can);
    L_CAN_Baudrate->setObjectName("L_CAN_Baudrate");
    CB_CAN_Baudrate = new QComboBox(can);
    CB_CAN_Baudrate->setObjectName("CB_CAN_Baudrate");
    for (const char* text : CanBaudTexts)
        CB_CAN_Baudrate->addItem(text);

    QWidget* pb = CP_PROFIBUS->content();
    L_PROFIBUS_IDDevice = new QLabel(pb);
    L_PROFIBUS_IDDevice->setObjectName("L_PROFIBUS_IDDevice");
    E_PROFIBUS_IDDevice = new QLineEdit(pb);
    E_PROFIBUS_IDDevice->setObjectName("E_PROFIBUS_IDDevice");
    L_PROFIBUS_Baudrate = new QLabel(pb);
    L_PROFIBUS_Baudrate->setObjectName("L_PROFIBUS_Baudrate");
    CB_PROFIBUS_Baudrate = new QComboBox(pb);
    CB_PROFIBUS_Baudrate->setObjectName("CB_PROFIBUS_Baudrate");
    CB_PROFIBUS_Baudrate->addItem("Auto Baudrate");
    CB_PROFIBUS_Baudrate->setEnabled(false);
    CB_PROFIBUS_CAN_Mapping = new QCheckBox(pb);
    CB_PROFIBUS_CAN_Mapping->setObjectName("CB_PROFIBUS_CAN_Mapping");

    const ButtonPanel P_Button = MakeButtonPanel(this);
    Btn_OK = P_Button.ok;
    Btn_Cancel = P_Button.cancel;
    // Enter confirms, except on a focused Cancel, which it presses.
    Btn_OK->setDefault(true);
    Btn_Cancel->setAutoDefault(true);

    StackDialog(this, {P_Title, {CPG, 1}, P_Button.panel});

    connect(CB_CAN_Baudrate, &QComboBox::currentIndexChanged, this, &TFParGen::On_Change);
    connect(E_PROFIBUS_IDDevice, &QLineEdit::textChanged, this, &TFParGen::On_Change);
    connect(CB_PROFIBUS_CAN_Mapping, &QCheckBox::clicked, this, &TFParGen::On_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &TFParGen::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFParGen::Btn_CancelClick);

    setMinimumWidth(ClientWidth);
    setMaximumWidth(ClientWidth);
    resize(ClientWidth, kClientHeight);
    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();

    // The wheel anywhere over the panels scrolls the group, never a list under the pointer.
    CPG->viewport()->installEventFilter(this);
    for (QWidget* w : group->findChildren<QWidget*>())
        w->installEventFilter(this);
}

void TFParGen::Order_TAB_Panels() {
    Order_TAB_Panels_52903();
}

void TFParGen::Order_TAB_Panels_52903() {
    CP_CAN->setVisible(true);
    CP_PROFIBUS->setVisible(true);
    CP_CAN->setTitle("1. " + Q(state_.Text(TextId::ParGenCanPanel)));
    CP_PROFIBUS->setTitle("2. " + Q(state_.Text(TextId::ParGenProfibusPanel)));
    // Only the controls take the focus: the panel headers and the scrolling group show none.
    CPG->setFocusPolicy(Qt::NoFocus);
    setTabOrder(CB_CAN_Baudrate, E_PROFIBUS_IDDevice);
    setTabOrder(E_PROFIBUS_IDDevice, CB_PROFIBUS_CAN_Mapping);
    setTabOrder(CB_PROFIBUS_CAN_Mapping, Btn_OK);
    setTabOrder(Btn_OK, Btn_Cancel);
}

void TFParGen::Move_GroupBoxs() {
    RePosition_Objects_52903();
}

void TFParGen::RePosition_Objects_52903() {
    RePosition_Object_CAN();
    RePosition_Object_PROFIBUS();
}

void TFParGen::RePosition_Object_CAN() {
    L_CAN_Baudrate->setGeometry(kLabelLeft, 14, kFieldLeft - kLabelLeft - 8, 20);
    CB_CAN_Baudrate->setGeometry(kFieldLeft, 10, 160, 26);
    CP_CAN->setExpandedHeight(Bottom(CB_CAN_Baudrate) + CP_CAN->headerHeight() + kPanelBottomGap);
}

void TFParGen::RePosition_Object_PROFIBUS() {
    L_PROFIBUS_IDDevice->setGeometry(kLabelLeft, 14, kFieldLeft - kLabelLeft - 8, 20);
    E_PROFIBUS_IDDevice->setGeometry(kFieldLeft, 10, 80, 26);
    L_PROFIBUS_Baudrate->setGeometry(kLabelLeft, 50, kFieldLeft - kLabelLeft - 8, 20);
    CB_PROFIBUS_Baudrate->setGeometry(kFieldLeft, 46, 160, 26);
    CB_PROFIBUS_CAN_Mapping->setGeometry(kLabelLeft, 84, ClientWidth - 2 * kLabelLeft - 20, 24);
    CP_PROFIBUS->setExpandedHeight(Bottom(CB_PROFIBUS_CAN_Mapping) + CP_PROFIBUS->headerHeight() +
                                   kPanelBottomGap);
}

void TFParGen::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    setWindowTitle(t(TextId::ParGenTitle));
    P_Title->description()->setText(t(TextId::ParGenDescription));
    Btn_OK->setText(t(TextId::ParGenOk));
    Btn_Cancel->setText(t(TextId::ParGenCancel));
    Btn_OK->setToolTip(t(TextId::ParGenOkHint));
    Btn_Cancel->setToolTip(t(TextId::ParGenCancelHint));
    L_CAN_Baudrate->setText(t(TextId::ParGenCanBaudrate));
    CB_CAN_Baudrate->setToolTip(t(TextId::ParGenCanBaudrateHint));
    L_PROFIBUS_IDDevice->setText(t(TextId::ParGenStationAddress));
    E_PROFIBUS_IDDevice->setToolTip(t(TextId::ParGenStationAddressHint));
    L_PROFIBUS_Baudrate->setText(t(TextId::ParGenProfibusBaudrate));
    CB_PROFIBUS_Baudrate->setToolTip(t(TextId::ParGenProfibusBaudrateHint));
    CB_PROFIBUS_CAN_Mapping->setText(t(TextId::ParGenCanMapping));
    CB_PROFIBUS_CAN_Mapping->setToolTip(t(TextId::ParGenCanMappingHint));
}

void TFParGen::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TFParGen::FormShow() {
    const Result<ParGen> read = ReadParGen(state_.Files.ParGenFile);
    const ParGen& values = read.value;
    CB_CAN_Baudrate->setCurrentIndex(IsKnownCanBaudIndex(values.CanBaudIndex) ? values.CanBaudIndex
                                                                              : kInvalidIndex);
    E_PROFIBUS_IDDevice->setText(Q(values.StationAddress));
    CB_PROFIBUS_CAN_Mapping->setChecked(values.GsdCanMapping);
    isChange_ = false;
    if (!read && !read.status.notFound()) prompts_.error(Q(read.status.message));
}

bool TFParGen::Controllo_Dati() {
    ParGen values;
    values.StationAddress = S(E_PROFIBUS_IDDevice->text());
    const std::string error = kt::Controllo_Dati(values, state_.Lang);
    if (error.empty()) return true;
    prompts_.error(Q(error));
    return false;
}

void TFParGen::Btn_OKClick() {
    if (!Controllo_Dati()) return;
    ParGen values;
    const int index = CB_CAN_Baudrate->currentIndex();
    values.CanBaudIndex = index < 0 ? DefaultCanBaudIndex : index;
    values.StationAddress = S(E_PROFIBUS_IDDevice->text());
    values.GsdCanMapping = CB_PROFIBUS_CAN_Mapping->isChecked();
    if (const Status saved = WriteParGen(state_.Files.ParGenFile, values); !saved) {
        prompts_.error(Q(saved.message));
        return;
    }
    accept();
}

void TFParGen::Btn_CancelClick() {
    if (isChange_ && !prompts_.confirmDestructive(Q(state_.Text(TextId::ParGenExitWithoutSaving))))
        return;
    reject();
}

void TFParGen::keyPressEvent(QKeyEvent* event) {
    // Escape is the keyboard's Cancel, question included; the close box discards at once.
    if (event->key() == Qt::Key_Escape) {
        Btn_CancelClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFParGen::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (width() != ClientWidth) resize(ClientWidth, height());
}

bool TFParGen::FormMouseWheel(QWheelEvent* event) {
    const QPoint at = CPG->viewport()->mapFromGlobal(event->globalPosition().toPoint());
    if (!CPG->viewport()->rect().contains(at)) return false;
    const int delta = event->angleDelta().y();
    QScrollBar* bar = CPG->verticalScrollBar();
    for (int i = 0; i < QApplication::wheelScrollLines(); ++i)
        bar->triggerAction(delta > 0 ? QAbstractSlider::SliderSingleStepSub
                                     : QAbstractSlider::SliderSingleStepAdd);
    event->accept();
    return true;
}

bool TFParGen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && FormMouseWheel(static_cast<QWheelEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace kt
