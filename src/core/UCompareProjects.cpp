#include "core/UCompareProjects.h"

#include "base/Identity.h"
#include "project/Project.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kt {

namespace {
constexpr int kColumns = 7; // section, change, row, frame, field, this, other
constexpr int kFirstValue = 5;
// Widths the columns before the values take at most, in pixels.
constexpr int kMaxWidth[kFirstValue] = {130, 180, 50, 140, 140};
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
    ACG_Diff->horizontalHeader()->setHighlightSections(false);
    // The two values share the room the other columns leave, so both are always in view;
    // a long value is cut short and shown whole in its hint.
    ACG_Diff->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ACG_Diff->setTextElideMode(Qt::ElideMiddle);
    ACG_Diff->setWordWrap(false);
    for (int c = 0; c < kColumns; ++c)
        ACG_Diff->horizontalHeader()->setSectionResizeMode(
            c, c >= kFirstValue ? QHeaderView::Stretch : QHeaderView::Interactive);

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
    // The folder entry opens the chooser when clicked or on Enter, not when the arrow keys
    // pass over it.
    connect(ListBox_Projects, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (ListBox_Projects->row(item) == FolderRow()) ChooseFolder();
    });
    ListBox_Projects->installEventFilter(this);
    resize(1200, 520);
    Set_Lang();
}

void TFCompareProjects::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    setWindowTitle(t(TextId::CompareTitle));
    P_Title->description()->setText(t(TextId::CompareDescription));
    L_Other->setText(t(TextId::CompareWith));
    ListBox_Projects->setToolTip(t(TextId::CompareListHint));
    if (QListWidgetItem* folder = ListBox_Projects->item(ListBox_Projects->count() - 1)) {
        folder->setText(t(TextId::CompareOtherFolder));
        folder->setToolTip(t(TextId::CompareOtherFolderHint));
    }
    Btn_Close->setText(t(TextId::CompareClose));
    Btn_Close->setToolTip(t(TextId::CompareCloseHint));
    QStringList headers;
    for (TextId id :
         {TextId::CompareSectionColumn, TextId::CompareChangeColumn, TextId::CompareRowColumn,
          TextId::CompareFrameColumn, TextId::CompareFieldColumn, TextId::CompareThisColumn,
          TextId::CompareOtherColumn})
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
    chosen_.clear();
    for (std::string& name : ListProjects(state_.Workspace.ProjectsDir))
        if (Search_Open_Conf({name}, open) < 0) others_.push_back(std::move(name));
    {
        const QSignalBlocker block(ListBox_Projects);
        ListBox_Projects->clear();
        for (const std::string& n : others_)
            ListBox_Projects->addItem(Q(n));
        auto* folder = new QListWidgetItem(Q(state_.Text(TextId::CompareOtherFolder)));
        folder->setToolTip(Q(state_.Text(TextId::CompareOtherFolderHint)));
        QFont italic = folder->font();
        italic.setItalic(true);
        folder->setFont(italic);
        ListBox_Projects->addItem(folder);
    }
    diff_ = {};
    compared_ = false;
    if (!others_.empty())
        ListBox_Projects->setCurrentRow(0); // compares
    else
        ShowDiff();
    ListBox_Projects->setFocus();
}

bool TFCompareProjects::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox_Projects && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
            ListBox_Projects->currentRow() == FolderRow()) {
            ChooseFolder();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int TFCompareProjects::FolderRow() const {
    return static_cast<int>(others_.size() + chosen_.size());
}

void TFCompareProjects::ListBox_ProjectsClick() {
    const int row = ListBox_Projects->currentRow();
    const int listed = static_cast<int>(others_.size());
    if (row >= 0 && row < listed)
        Compare(state_.Workspace.ProjectsDir /
                PathFromUtf8(others_[static_cast<std::size_t>(row)]));
    else if (row >= listed && row < FolderRow())
        Compare(chosen_[static_cast<std::size_t>(row - listed)]);
    else
        Compare({});
}

void TFCompareProjects::ChooseFolder() {
    const QString answer = prompts_.folderName(QPath(state_.Workspace.ProjectsDir),
                                               Q(state_.Text(TextId::CompareChooseFolder)));
    if (answer.isEmpty()) return;
    const std::filesystem::path folder = PathOf(answer);
    if (!HoldsProjectFiles(folder)) {
        prompts_.error(Q(state_.Text(TextId::CompareNotAProject)) + answer);
        return;
    }
    const int listed = static_cast<int>(others_.size());
    int row = FolderRow();
    for (std::size_t i = 0; i < chosen_.size(); ++i)
        if (chosen_[i] == folder) row = listed + static_cast<int>(i);
    if (row == FolderRow()) {
        chosen_.push_back(folder);
        auto* item = new QListWidgetItem(answer);
        item->setToolTip(answer);
        const QSignalBlocker block(ListBox_Projects);
        ListBox_Projects->insertItem(row, item);
    }
    if (ListBox_Projects->currentRow() == row)
        ListBox_ProjectsClick();
    else
        ListBox_Projects->setCurrentRow(row); // compares
}

void TFCompareProjects::Compare(const std::filesystem::path& other) {
    diff_ = {};
    compared_ = false;
    if (!other.empty()) {
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
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    if (others_.empty() && !compared_)
        L_Result->setText(t(TextId::CompareNoOther));
    else if (!compared_ && ListBox_Projects->currentRow() == FolderRow())
        L_Result->setText(t(TextId::CompareOtherFolderHint));
    else if (!compared_)
        L_Result->clear();
    else if (diff_.equal())
        L_Result->setText(t(TextId::CompareEqual));
    else
        L_Result->setText(t(TextId::CompareDifferences) + QString::number(diff_.entries.size()));

    ACG_Diff->clearSpans();
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
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= kFirstValue || c == 3) item->setToolTip(cells[c]);
            ACG_Diff->setItem(r, c, item);
        }
        // A count is one value of both Projects together.
        if (e.kind == DiffKind::Differing) ACG_Diff->setSpan(r, kFirstValue, 1, 2);
    }
    for (int c = 0; c < kFirstValue; ++c) {
        ACG_Diff->resizeColumnToContents(c);
        ACG_Diff->setColumnWidth(c, std::min(ACG_Diff->columnWidth(c), kMaxWidth[c]));
    }
}

} // namespace kt
