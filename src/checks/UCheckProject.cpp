#include "checks/UCheckProject.h"

#include "base/FileUtil.h"
#include "base/Identity.h"
#include "base/TextUtil.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kt {

namespace {

QTableWidget* MakeTable(const char* name, QWidget* parent) {
    auto* t = Named(new QTableWidget(parent), name);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(22);
    t->horizontalHeader()->setStretchLastSection(true);
    t->horizontalHeader()->setHighlightSections(false);
    t->setAlternatingRowColors(true);
    return t;
}

QIcon SeverityIcon(Severity s) {
    const QStyle::StandardPixmap p = s == Severity::Error     ? QStyle::SP_MessageBoxCritical
                                     : s == Severity::Warning ? QStyle::SP_MessageBoxWarning
                                                              : QStyle::SP_MessageBoxInformation;
    return QApplication::style()->standardIcon(p);
}

} // namespace

TFCheckProject::TFCheckProject(AppState& state, Prompts& prompts, OpenListAt openList,
                               QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), openList_(std::move(openList)) {
    setObjectName("FCheckProject");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::CustomizeWindowHint);
    P_Title = new DialogHeader(SwCode, this);

    L_Summary = Named(new QLabel(this), "L_Summary");
    TS_Check = Named(new QTabWidget(this), "TS_Check");
    ACG_Findings = MakeTable("ACG_Findings", this);
    ACG_Findings->setColumnCount(4);
    ACG_Findings->setIconSize(QSize(16, 16));
    ACG_Findings->setWordWrap(false);
    ACG_Findings->installEventFilter(this);
    connect(ACG_Findings, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { OpenFinding(row); });
    ACG_Inputs = MakeTable("ACG_Inputs", this);
    ACG_Outputs = MakeTable("ACG_Outputs", this);
    TS_Check->addTab(ACG_Findings, QString());
    TS_Check->addTab(ACG_Inputs, QString());
    TS_Check->addTab(ACG_Outputs, QString());
    connect(TS_Check, &QTabWidget::currentChanged, this, [this] { UpdateButtons(); });

    L_BusLoad = Named(new QLabel(this), "L_BusLoad");
    PB_BusLoad = Named(new QProgressBar(this), "PB_BusLoad");
    PB_BusLoad->setRange(0, 1000);
    PB_BusLoad->setTextVisible(true);
    L_BusLoad->setBuddy(PB_BusLoad);

    Btn_Export = Named(new QPushButton(this), "Btn_Export");
    Btn_Close = Named(new QPushButton(this), "Btn_Close");
    Btn_Export->setAutoDefault(false);
    connect(Btn_Export, &QPushButton::clicked, this, &TFCheckProject::Btn_ExportClick);
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::accept);

    auto* load = new QHBoxLayout;
    load->addWidget(L_BusLoad);
    load->addWidget(PB_BusLoad, 1);
    auto* body = new QVBoxLayout;
    body->addWidget(L_Summary);
    body->addWidget(TS_Check, 1);
    body->addLayout(load);

    auto* buttons = Named(new QWidget(this), "P_Button");
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(12, 4, 12, 8);
    row->addWidget(Btn_Export);
    row->addStretch();
    row->addWidget(Btn_Close);
    StackDialog(this, P_Title, body, buttons);

    resize(980, 540);
    Set_Lang();
}

void TFCheckProject::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    setWindowTitle(t(TextId::CheckTitle));
    P_Title->description()->setText(t(TextId::CheckDescription));
    TS_Check->setTabText(0, t(TextId::CheckFindingsTab));
    TS_Check->setTabText(1, t(TextId::CheckInputsTab));
    TS_Check->setTabText(2, t(TextId::CheckOutputsTab));
    ACG_Findings->setHorizontalHeaderLabels({t(TextId::CheckSeverityColumn),
                                             t(TextId::CheckListColumn), t(TextId::CheckRowColumn),
                                             t(TextId::CheckMessageColumn)});
    ACG_Findings->setToolTip(t(TextId::CheckFindingsHint));
    QStringList headers;
    for (const std::string& h : IoMapHeaders(state_.Lang))
        headers << Q(h);
    for (QTableWidget* table : {ACG_Inputs, ACG_Outputs}) {
        table->setColumnCount(int(headers.size()));
        table->setHorizontalHeaderLabels(headers);
    }
    L_BusLoad->setText(t(TextId::CheckBusLoad));
    Btn_Export->setText(t(TextId::CheckExport));
    Btn_Close->setText(t(TextId::CheckClose));
    // The findings carry texts of the table: a shown check is composed again.
    if (isVisible()) RunCheck();
}

void TFCheckProject::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        RunCheck();
        TS_Check->setCurrentIndex(0);
        ACG_Findings->setFocus();
        if (ACG_Findings->rowCount() > 0) ACG_Findings->setCurrentCell(0, 0);
    }
    QDialog::showEvent(event);
}

bool TFCheckProject::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a finding does what a double-click does, for keyboard users.
    if (watched == ACG_Findings && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && ACG_Findings->currentRow() >= 0) {
            OpenFinding(ACG_Findings->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFCheckProject::RunCheck() {
    const ProjectData project = ReadProjectData(state_.Files);
    check_ = CheckProjectData(project, state_.Lang);
    mapStatus_ = BuildIoMap(project, map_);
    FillFindings();
    FillMap(ACG_Inputs, map_.inputs);
    FillMap(ACG_Outputs, map_.outputs);

    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    L_Summary->setText(t(TextId::CheckErrors) + QString::number(check_.count(Severity::Error)) +
                       t(TextId::CheckWarnings) + QString::number(check_.count(Severity::Warning)) +
                       t(TextId::CheckNotes) + QString::number(check_.count(Severity::Note)));
    const double load = check_.busLoad.totalPercent();
    PB_BusLoad->setValue(int(std::min<long long>(1000, std::llround(load * 10))));
    PB_BusLoad->setFormat(Q(PercentText(load)));
    const char* colour = load > BusLoadErrorPercent  ? "#C62828"
                         : load > BusLoadWarnPercent ? "#EF8F00"
                                                     : "#2E7D32";
    PB_BusLoad->setStyleSheet(QString("QProgressBar { border: 1px solid #A0A0A0; "
                                      "text-align: center; } QProgressBar::chunk { "
                                      "background: %1; }")
                                  .arg(colour));
    UpdateButtons();
}

void TFCheckProject::FillFindings() {
    ACG_Findings->setRowCount(int(check_.findings.size()));
    for (int r = 0; r < int(check_.findings.size()); ++r) {
        const Finding& f = check_.findings[std::size_t(r)];
        auto* severity = new QTableWidgetItem(SeverityIcon(f.severity),
                                              Q(SeverityText(f.severity, state_.Lang)));
        severity->setToolTip(Q(f.code));
        ACG_Findings->setItem(r, 0, severity);
        ACG_Findings->setItem(r, 1, new QTableWidgetItem(Q(FindingListText(f.list, state_.Lang))));
        ACG_Findings->setItem(r, 2,
                              new QTableWidgetItem(f.row > 0 ? QString::number(f.row) : QString()));
        auto* message = new QTableWidgetItem(Q(f.message));
        message->setToolTip(Q(f.message));
        ACG_Findings->setItem(r, 3, message);
    }
    // The message column takes the rest of the width.
    for (int c = 0; c + 1 < ACG_Findings->columnCount(); ++c)
        ACG_Findings->resizeColumnToContents(c);
}

void TFCheckProject::FillMap(QTableWidget* table, const std::vector<IoMapRow>& rows) {
    if (!mapStatus_) {
        table->setRowCount(1);
        table->setSpan(0, 0, 1, table->columnCount());
        table->setItem(
            0, 0, new QTableWidgetItem(Q(state_.Text(TextId::CheckNoIoMap) + mapStatus_.message)));
        return;
    }
    table->clearSpans();
    table->setRowCount(int(rows.size()));
    const QColor swapped(0xFF, 0xE0, 0xE0);
    for (int r = 0; r < int(rows.size()); ++r) {
        const std::vector<std::string> cells = IoMapCells(rows[std::size_t(r)]);
        for (int c = 0; c < int(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(Q(cells[std::size_t(c)]));
            if (rows[std::size_t(r)].swapFirst != 0) item->setBackground(swapped);
            table->setItem(r, c, item);
        }
    }
    for (int c = 0; c + 1 < table->columnCount(); ++c)
        table->resizeColumnToContents(c);
}

void TFCheckProject::UpdateButtons() {
    const int tab = TS_Check->currentIndex();
    Btn_Export->setEnabled(tab == 0 || mapStatus_.ok());
}

void TFCheckProject::OpenFinding(int row) {
    if (row < 0 || row >= int(check_.findings.size()) || !openList_) return;
    const Finding f = check_.findings[std::size_t(row)];
    if (f.list == FindingList::Project) return;
    openList_(f.list, f.row);
    RunCheck(); // the dialog may have saved its file
}

void TFCheckProject::Btn_ExportClick() {
    const int tab = TS_Check->currentIndex();
    if (tab > 0 && !mapStatus_) return;
    // Proposed in the Project's folder, named after the Project and the tab.
    static constexpr const char* kSuffix[] = {"_findings.csv", "_inputs.csv", "_outputs.csv"};
    const std::filesystem::path dir =
        state_.ProjectDir.has_filename() ? state_.ProjectDir : state_.ProjectDir.parent_path();
    const std::filesystem::path proposed =
        dir / PathFromUtf8(PathToUtf8(dir.filename()) + kSuffix[std::clamp(tab, 0, 2)]);
    const QString chosen =
        prompts_.saveFileName(QPath(proposed), Q(state_.Text(TextId::CheckCsvFilter)));
    if (chosen.isEmpty()) return;
    std::string name = S(chosen);
    if (name.size() < 4 || LowerAscii(name.substr(name.size() - 4)) != ".csv") name += ".csv";
    const std::filesystem::path target = PathFromUtf8(name);
    std::error_code ec;
    if (std::filesystem::exists(target, ec) &&
        !prompts_.confirm(Q(state_.Text(TextId::FileExistsOverwrite))))
        return;
    const std::string text =
        tab == 0
            ? FindingsCsv(check_, state_.Lang)
            : IoMapCsv(map_.rows(tab == 1 ? IoDirection::Input : IoDirection::Output), state_.Lang);
    if (const Status s = WriteFileAtomic(target, text); !s) prompts_.error(Q(s.message));
}

bool GoOnDespiteErrors(const AppState& state, Prompts& prompts) {
    const ProjectCheck check = CheckProject(state.Files, state.Lang);
    if (check.count(Severity::Error) == 0) return true;
    // A file that cannot be read stops the step with the parser's message anyway.
    for (const Finding& f : check.findings)
        if (f.code == "file-unreadable") return true;
    // The box must fit a small screen with its buttons: the first errors, then a count of the
    // rest and where to see them all.
    QString text = Q(state.Text(TextId::StepCheckFoundErrors)) + "\n";
    int shown = 0;
    for (const Finding& f : check.findings) {
        if (f.severity != Severity::Error || shown == QuestionErrorLines) continue;
        ++shown;
        text += "\n" + Q(FindingListText(f.list, state.Lang));
        if (f.row > 0)
            text += ", " + Q(state.Text(TextId::CheckRowColumn)) + " " + QString::number(f.row);
        text += ": " + Q(f.message);
    }
    const int more = check.count(Severity::Error) - shown;
    if (more > 0)
        text += "\n" + Q(state.Text(TextId::StepMoreErrors)) + QString::number(more) +
                Q(state.Text(TextId::StepMoreErrorsEnd)) + "\n\n" +
                Q(state.Text(TextId::StepCheckListsAll));
    return prompts.confirmDestructive(text + "\n\n" + Q(state.Text(TextId::StepGoOnAnyway)));
}

} // namespace kt
