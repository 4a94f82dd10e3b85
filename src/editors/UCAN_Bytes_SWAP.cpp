#include "editors/UCAN_Bytes_SWAP.h"

#include "base/Identity.h"
#include "project/SwapBits.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kt {

namespace {
QLabel* FramedLabel(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::Box);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(72);
    l->setMinimumHeight(24);
    return l;
}
} // namespace

TFCAN_Bytes_SWAP::TFCAN_Bytes_SWAP(const AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName("FCAN_Bytes_SWAP");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    P_Title = new DialogHeader(SwCode, this);

    Label17 = new QLabel(this);
    Label17->setObjectName("Label17");
    Label18 = new QLabel(this);
    Label18->setObjectName("Label18");
    QFont bold = Label18->font();
    bold.setBold(true);
    Label17->setFont(bold);
    Label18->setFont(bold);
    auto* valueRow = new QHBoxLayout;
    valueRow->addWidget(Label17);
    valueRow->addWidget(Label18);
    valueRow->addStretch();

    auto* bytes = new QGridLayout;
    bytes->setHorizontalSpacing(6);
    for (int i = 0; i < 8; ++i) {
        byteLabels_[i] = FramedLabel(QString("Label%1").arg(i + 1), this);
        stateLabels_[i] = FramedLabel(QString("Label%1").arg(i + 9), this);
        toggles_[i] = new QPushButton(this);
        toggles_[i]->setObjectName(QString("SpeedButton%1").arg(i + 1));
        toggles_[i]->setCheckable(true);
        toggles_[i]->setAutoDefault(false);
        QPushButton* b = toggles_[i];
        connect(b, &QPushButton::clicked, this, [this, b] { SpeedBtnClick(b); });
        bytes->addWidget(byteLabels_[i], 0, i);
        bytes->addWidget(stateLabels_[i], 1, i);
        bytes->addWidget(toggles_[i], 2, i);
    }

    const ButtonPanel P_Button = MakeButtonPanel(this);
    Btn_OK = P_Button.ok;
    Btn_Cancel = P_Button.cancel;
    Btn_OK->setAutoDefault(false);
    Btn_Cancel->setAutoDefault(false);
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 12, 16, 12);
    body->setSpacing(10);
    body->addLayout(valueRow);
    body->addLayout(bytes);
    StackDialog(this, {P_Title, body, P_Button.panel})->setSizeConstraint(QLayout::SetFixedSize);

    Set_Lang();
    Refresh_Label();
}

void TFCAN_Bytes_SWAP::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    setWindowTitle(t(TextId::SwapTitle));
    P_Title->description()->setText(t(TextId::SwapDescription));
    Btn_OK->setText(t(TextId::SwapOk));
    Btn_Cancel->setText(t(TextId::SwapCancel));
    Btn_OK->setToolTip(t(TextId::SwapOkHint));
    Btn_Cancel->setToolTip(t(TextId::SwapCancelHint));
    Label17->setText(t(TextId::SwapValue));
    for (int i = 0; i < 8; ++i) {
        byteLabels_[i]->setText(t(NthText(TextId::SwapByte1, i)));
        toggles_[i]->setText(t(NthText(TextId::SwapChange1, i)));
    }
}

void TFCAN_Bytes_SWAP::Refresh_Label() {
    Label18->setText(Q(SwapValueText(value_)));
    for (int byte = 1; byte <= SwapBytes; ++byte) {
        const ByteSwapState s = SwapByteState(value_, byte);
        QLabel* l = stateLabels_[byte - 1];
        l->setText(SwapStateText(s));
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, SwapStateMarked(s) ? Qt::red : Qt::black);
        l->setPalette(pal);
    }
    for (int k = 1; k <= SwapToggles; ++k)
        toggles_[k - 1]->setChecked(SwapLink(value_, k));
}

void TFCAN_Bytes_SWAP::SpeedBtnClick(QAbstractButton* button) {
    for (int k = 1; k <= SwapToggles; ++k)
        if (toggles_[k - 1] == button) value_ = SwapToggle(value_, k, button->isChecked());
    Refresh_Label();
}

std::optional<std::uint8_t> TFCAN_Bytes_SWAP::Edit_Swap(std::uint8_t value) {
    setValue(value);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return value_;
}

void TFCAN_Bytes_SWAP::showEvent(QShowEvent* event) {
    Refresh_Label();
    QDialog::showEvent(event);
}

} // namespace kt
