#include "core/UCompareProjects.h"

#include "base/Identity.h"
#include "core/Project.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kt {

namespace {
constexpr int kColumns = 7; // section, change, row, frame, field, this, other
} // namespace

TFCompareProjects::TFCompareProjects(AppState& state, Prompts& prompts, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts) {
    setObjectName("FCompareProjects");
    P_Title = new DialogHeader(SwCode, this);
    L_Other = Named(new QLabel(this), "L_Other");
    ListBox_Projects = Named(new QListWidget(this), "ListBox_Projects");
    ListBox_Projects->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox_Projects->setFixedWidth(200);
    L_Other->setBuddy(ListBox_Projects);
    L_Result = Named(new QLabel(this), "L_Result");
    // The table only shows what the core computed; nothing is kept in its cells.
    ACG_Diff = Named(new QTableWidget(0, kColumns, this), "ACG_Diff");
    ACG_Diff->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ACG_Diff->setSelectionBehavior(QAbstractItemView::SelectRows);
    ACG_Diff->setTabKeyNavigation(false);
    ACG_Diff->verticalHeader()->hide();
    ACG_Diff->verticalHeader()->setDefaultSectionSize(22);
    ACG_Diff->horizontalHeader()->setStretchLastSection(true);
    ACG_Diff->horizontalHeader()->setHighlightSections(false);

    const ButtonPanel buttons = MakeButtonPanel(this, "Btn_Close");
    Btn_Close = buttons.ok;
    buttons.cancel->hide();
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::accept);

    auto* left = new QVBoxLayout;
    left->setSpacing(6); // else they take the window layout's 0
    left->addWidget(L_Other);
    left->addWidget(ListBox_Projects, 1);
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(L_Result);
    right->addWidget(ACG_Diff, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addSpacing(8);
    body->addLayout(right, 1);
    StackDialog(this, P_Title, body, buttons.panel);

    connect(ListBox_Projects, &QListWidget::currentRowChanged, this,
            [this] { ListBox_ProjectsClick(); });
    resize(1000, 480);
    Set_Lang();
}

void TFCompareProjects::Set_Lang() {
    const auto t = [this](int id) { return Q(state_.Text(id)); };
    setWindowTitle(t(742));
    P_Title->description()->setText(t(743));
    L_Other->setText(t(744));
    ListBox_Projects->setToolTip(t(764));
    Btn_Close->setText(t(745));
    Btn_Close->setToolTip(t(766));
    QStringList headers;
    for (int id = 746; id <= 752; ++id)
        headers << t(id);
    ACG_Diff->setHorizontalHeaderLabels(headers);
    ShowDiff();
}

void TFCompareProjects::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TFCompareProjects::FormShow() {
    const std::string open = OpenProjectName(state_.Workspace.ProjectsDir, state_.ProjectDir);
    others_.clear();
    for (std::string& name : ListProjects(state_.Workspace.ProjectsDir))
        if (Search_Open_Conf({name}, open) < 0) others_.push_back(std::move(name));
    {
        const QSignalBlocker block(ListBox_Projects);
        ListBox_Projects->clear();
        for (const std::string& n : others_)
            ListBox_Projects->addItem(Q(n));
    }
    diff_ = {};
    compared_ = false;
    if (!others_.empty())
        ListBox_Projects->setCurrentRow(0); // compares
    else
        ShowDiff();
    ListBox_Projects->setFocus();
}

void TFCompareProjects::ListBox_ProjectsClick() {
    const int row = ListBox_Projects->currentRow();
    diff_ = {};
    compared_ = false;
    if (row >= 0 && row < static_cast<int>(others_.size())) {
        const std::filesystem::path other =
            state_.Workspace.ProjectsDir / PathFromUtf8(others_[static_cast<std::size_t>(row)]);
        if (const Status s = DiffProjects(state_.ProjectDir, other, diff_); !s) {
            diff_ = {};
            ShowDiff();
            prompts_.error(Q(s.message));
            return;
        }
        compared_ = true;
    }
    ShowDiff();
}

void TFCompareProjects::ShowDiff() {
    const auto t = [this](int id) { return Q(state_.Text(id)); };
    if (others_.empty())
        L_Result->setText(t(754));
    else if (!compared_)
        L_Result->clear();
    else if (diff_.equal())
        L_Result->setText(t(753));
    else
        L_Result->setText(t(765) + QString::number(diff_.entries.size()));

    ACG_Diff->setRowCount(static_cast<int>(diff_.entries.size()));
    for (int r = 0; r < ACG_Diff->rowCount(); ++r) {
        const DiffEntry& e = diff_.entries[static_cast<std::size_t>(r)];
        const QString cells[kColumns] = {Q(DiffSectionText(e.section, state_.Lang)),
                                         Q(DiffKindText(e.kind, state_.Lang)),
                                         Q(DiffRowsText(e)),
                                         Q(e.item),
                                         Q(e.field),
                                         Q(e.a),
                                         Q(e.b)};
        for (int c = 0; c < kColumns; ++c)
            ACG_Diff->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    ACG_Diff->resizeColumnsToContents();
}

} // namespace kt
