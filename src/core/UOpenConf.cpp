#include "core/UOpenConf.h"

#include "base/Identity.h"
#include "project/Project.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kt {

TFOpenConf::TFOpenConf(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("FOpenConf");
    P_Title = new DialogHeader(SwCode, this);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    const ButtonPanel buttons = MakeButtonPanel(this);
    Btn_OK = buttons.ok;
    Btn_Cancel = buttons.cancel;
    auto* body = new QVBoxLayout;
    body->addWidget(Label1);
    body->addWidget(ListBox1, 1);
    StackDialog(this, P_Title, body, buttons.panel);

    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(377, 351);
    Set_Lang();
}

void TFOpenConf::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    setWindowTitle(t(TextId::OpenTitle));
    P_Title->description()->setText(t(TextId::OpenDescription));
    Label1->setText(t(TextId::OpenListLabel));
    Btn_OK->setText(t(TextId::OpenOk));
    Btn_Cancel->setText(t(TextId::OpenCancel));
    ListBox1->setToolTip(t(TextId::OpenListHint));
    Btn_OK->setToolTip(t(TextId::OpenOkHint));
    Btn_Cancel->setToolTip(t(TextId::OpenCancelHint));
}

void TFOpenConf::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFOpenConf::FormShow() {
    sl_ = ListProjects(state_.Workspace.ProjectsDir);
    {
        const QSignalBlocker block(ListBox1);
        ListBox1->clear();
        for (const std::string& n : sl_)
            ListBox1->addItem(Q(n));
    }
    const std::string open = OpenProjectName(state_.Workspace.ProjectsDir, state_.ProjectDir);
    int index = Search_Open_Conf(sl_, open);
    if (index < 0 && !sl_.empty()) index = 0;
    nameConf_.clear();
    if (index >= 0) {
        ListBox1->setCurrentRow(index);
        nameConf_ = Q(sl_[static_cast<std::size_t>(index)]);
    }
    ListBox1->setFocus();
}

void TFOpenConf::ListBox1Click() {
    if (const QListWidgetItem* item = ListBox1->currentItem()) nameConf_ = item->text();
}

} // namespace kt
