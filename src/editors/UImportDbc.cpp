#include "editors/UImportDbc.h"

#include "base/Identity.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace kt {

// The messages of the database, one row each; column 0 carries the check box.
class DbcMessageModel : public QAbstractTableModel {
public:
    enum Column { Identifier, Bits, Dlc, Name, Cycle, SendType, Transmitter, Count };

    DbcMessageModel(const DbcDatabase& db, QObject* parent)
        : QAbstractTableModel(parent), db_(db), checked_(db.messages.size(), false) {}

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(db_.messages.size());
    }
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : Count;
    }
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const DbcMessage& m = db_.messages[static_cast<std::size_t>(index.row())];
        if (role == Qt::CheckStateRole && index.column() == Identifier)
            return checked_[static_cast<std::size_t>(index.row())] ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::ToolTipRole && index.column() == Name && !m.comment.empty())
            return Q(m.comment);
        if (role == Qt::TextAlignmentRole && index.column() != Name && index.column() != SendType &&
            index.column() != Transmitter)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole) return {};
        switch (index.column()) {
        case Identifier:
            return Q(DbcIdText(m));
        case Bits:
            return m.extended ? 29 : 11;
        case Dlc:
            return m.dlc;
        case Name:
            return Q(m.name);
        case Cycle:
            return m.cycleTime ? QVariant(qlonglong(*m.cycleTime)) : QVariant();
        case SendType:
            return Q(m.sendType);
        case Transmitter:
            return Q(m.transmitter);
        default:
            return {};
        }
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid() || index.column() != Identifier || role != Qt::CheckStateRole)
            return false;
        setChecked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
        return true;
    }
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (index.column() == Identifier) f |= Qt::ItemIsUserCheckable;
        return f;
    }
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headers_.size())
            return headers_[section];
        return {};
    }

    void setHeaders(const QStringList& headers) {
        headers_ = headers;
        emit headerDataChanged(Qt::Horizontal, 0, Count - 1);
    }
    void setChecked(int row, bool on) {
        if (checked_[static_cast<std::size_t>(row)] == on) return;
        checked_[static_cast<std::size_t>(row)] = on;
        const QModelIndex i = index(row, Identifier);
        emit dataChanged(i, i, {Qt::CheckStateRole});
    }
    [[nodiscard]] bool isChecked(int row) const { return checked_[static_cast<std::size_t>(row)]; }

private:
    const DbcDatabase& db_;
    std::vector<bool> checked_;
    QStringList headers_;
};

TFImportDbc::TFImportDbc(const AppState& state, Prompts& prompts, const DbcDatabase& db,
                         const QString& fileName, const FrameList& list, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), db_(db), list_(list), fileName_(fileName) {
    setObjectName("FImportDbc");
    P_Title = new DialogHeader(SwCode, this);
    L_File = Named(new QLabel(this), "L_File");
    L_File->setTextInteractionFlags(Qt::TextSelectableByMouse);
    L_Node = Named(new QLabel(this), "L_Node");
    CB_Node = Named(new QComboBox(this), "CB_Node");
    CB_Node->setMinimumContentsLength(16);
    CB_Node->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    L_Node->setBuddy(CB_Node);
    L_TimeOutFactor = Named(new QLabel(this), "L_TimeOutFactor");
    E_TimeOutFactor = Named(new QSpinBox(this), "E_TimeOutFactor");
    E_TimeOutFactor->setRange(0, 1000);
    E_TimeOutFactor->setValue(DefaultTimeoutFactor);
    L_TimeOutFactor->setBuddy(E_TimeOutFactor);
    // Only received frames have a time-out.
    const bool receive = list_.kind() == FrameKind::Receive;
    L_TimeOutFactor->setVisible(receive);
    E_TimeOutFactor->setVisible(receive);
    Btn_SelectAll = Named(new QPushButton(this), "Btn_SelectAll");
    Btn_SelectNone = Named(new QPushButton(this), "Btn_SelectNone");
    for (QPushButton* b : {Btn_SelectAll, Btn_SelectNone})
        b->setAutoDefault(false);

    ACG_Messages = Named(new QTableView(this), "ACG_Messages");
    model_ = new DbcMessageModel(db_, this);
    ACG_Messages->setModel(model_);
    ACG_Messages->setSelectionBehavior(QAbstractItemView::SelectRows);
    ACG_Messages->setSelectionMode(QAbstractItemView::SingleSelection);
    ACG_Messages->setTabKeyNavigation(false);
    ACG_Messages->verticalHeader()->hide();
    ACG_Messages->verticalHeader()->setDefaultSectionSize(22);
    ACG_Messages->horizontalHeader()->setStretchLastSection(true);
    ACG_Messages->horizontalHeader()->setHighlightSections(false);
    ACG_Messages->installEventFilter(this);

    const ButtonPanel buttons = MakeButtonPanel(this, "Btn_Import");
    Btn_Import = buttons.ok;
    Btn_Cancel = buttons.cancel;
    Btn_Import->setDefault(true);

    auto* options = new QHBoxLayout;
    options->setSpacing(6); // else it takes the window layout's 0 and the buttons touch
    options->addWidget(L_Node);
    options->addWidget(CB_Node);
    options->addSpacing(16);
    options->addWidget(L_TimeOutFactor);
    options->addWidget(E_TimeOutFactor);
    options->addStretch();
    options->addWidget(Btn_SelectAll);
    options->addWidget(Btn_SelectNone);
    auto* body = new QVBoxLayout;
    body->setSpacing(6);
    body->addWidget(L_File);
    body->addLayout(options);
    body->addWidget(ACG_Messages, 1);
    StackDialog(this, P_Title, body, buttons.panel);

    CB_Node->addItem(QString()); // "(no node)", named by Set_Lang
    for (const std::string& n : db_.nodes)
        CB_Node->addItem(Q(n));
    connect(CB_Node, &QComboBox::currentIndexChanged, this, [this] { CB_NodeChange(); });
    connect(Btn_SelectAll, &QPushButton::clicked, this, [this] {
        for (int r = 0; r < model_->rowCount(); ++r)
            model_->setChecked(r, true);
    });
    connect(Btn_SelectNone, &QPushButton::clicked, this, [this] {
        for (int r = 0; r < model_->rowCount(); ++r)
            model_->setChecked(r, false);
    });
    connect(Btn_Import, &QPushButton::clicked, this, &TFImportDbc::Btn_ImportClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(820, 520);
    Set_Lang();
    ACG_Messages->resizeColumnsToContents();
    ACG_Messages->setColumnWidth(DbcMessageModel::Identifier,
                                 ACG_Messages->columnWidth(DbcMessageModel::Identifier) + 24);
    if (model_->rowCount() > 0) ACG_Messages->setCurrentIndex(model_->index(0, 0));
    ACG_Messages->setFocus();
}

TFImportDbc::~TFImportDbc() = default;

bool TFImportDbc::eventFilter(QObject* watched, QEvent* event) {
    // Space toggles the current row's box wherever the cursor stands in the row.
    if (watched == ACG_Messages && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        if (const QModelIndex i = ACG_Messages->currentIndex(); i.isValid())
            model_->setChecked(i.row(), !model_->isChecked(i.row()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFImportDbc::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    setWindowTitle(t(TextId::DbcTitle));
    P_Title->description()->setText(t(TextId::DbcDescription));
    L_File->setText(t(TextId::DbcFile) + fileName_);
    L_Node->setText(t(TextId::DbcNode));
    CB_Node->setItemText(0, t(TextId::DbcNoNode));
    CB_Node->setToolTip(t(TextId::DbcNodeHint));
    L_TimeOutFactor->setText(t(TextId::DbcTimeOutFactor));
    E_TimeOutFactor->setToolTip(t(TextId::DbcTimeOutFactorHint));
    Btn_SelectAll->setText(t(TextId::DbcSelectAll));
    Btn_SelectNone->setText(t(TextId::DbcSelectNone));
    Btn_Import->setText(t(TextId::DbcImport));
    Btn_Import->setToolTip(t(TextId::DbcImportHintChecked));
    Btn_Cancel->setText(t(TextId::DbcCancel));
    Btn_Cancel->setToolTip(t(TextId::DbcCancelHint));
    ACG_Messages->setToolTip(t(TextId::DbcMessagesHint));
    QStringList headers;
    for (TextId id : {TextId::DbcIdentifierColumn, TextId::DbcBitsColumn, TextId::DbcDlcColumn,
                      TextId::DbcNameColumn, TextId::DbcCycleTimeColumn, TextId::DbcSendTypeColumn,
                      TextId::DbcTransmitterColumn})
        headers << t(id);
    model_->setHeaders(headers);
}

void TFImportDbc::CB_NodeChange() {
    const std::string node = CB_Node->currentIndex() > 0 ? S(CB_Node->currentText()) : "";
    const std::vector<bool> fits = Preselection(db_, list_.kind(), node);
    for (int r = 0; r < model_->rowCount(); ++r)
        model_->setChecked(r, fits[static_cast<std::size_t>(r)]);
}

std::vector<const DbcMessage*> TFImportDbc::Checked() const {
    std::vector<const DbcMessage*> out;
    for (int r = 0; r < model_->rowCount(); ++r)
        if (model_->isChecked(r)) out.push_back(&db_.messages[static_cast<std::size_t>(r)]);
    return out;
}

void TFImportDbc::Btn_ImportClick() {
    E_TimeOutFactor->interpretText();
    Result<std::vector<ImportedRowAt>> planned =
        PlanImport(list_, Checked(), E_TimeOutFactor->value(), state_.Lang);
    if (!planned) {
        prompts_.error(Q(planned.status.message));
        return;
    }
    rows_ = std::move(planned.value);
    accept();
}

} // namespace kt
