#include "options/USoftOptions.h"

#include "base/Identity.h"
#include "lang/LanguageFile.h"
#include "ui/UDialogHeader.h"
#include "ui/UQtText.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kt {

namespace {
constexpr int kFlagSize = 48;
constexpr int kLanguagePageWidth = 440;

// Language name of a listed file: the file name without its last four characters.
std::string LanguageOf(const std::string& fileName) {
    return fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}
} // namespace

TFSoftOptions::TFSoftOptions(AppState& state, const Services& services, SoftOptionsHooks hooks,
                             QWidget* parent)
    : QDialog(parent), state_(state), services_(services), hooks_(std::move(hooks)) {
    setObjectName("FSoftOptions");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    P_Title = new DialogHeader(SwCode, this);

    PC_Options = Named(new QTabWidget(this), "PC_Options");
    TS_Language = Named(new QWidget, "TS_Language");
    TS_Con_Options = Named(new QWidget, "TS_Con_Options");
    TS_Soft_Settings = Named(new QWidget, "TS_Soft_Settings");
    PC_Options->addTab(TS_Language, QString());
    PC_Options->addTab(TS_Con_Options, QString());
    PC_Options->addTab(TS_Soft_Settings, QString());

    // Language tab: tiles 1-3 down the left column, 4-6 down the right one.
    TS_Language->setMinimumSize(kLanguagePageWidth, 258);
    L_Sel_Lang = Named(new QLabel(TS_Language), "L_Sel_Lang");
    L_Sel_Lang->move(16, 12);
    for (int k = 0; k < TilesPerPage; ++k) {
        const int left = 16 + (k / 3) * 210;
        const int top = 40 + (k % 3) * 58;
        I_L[k] = Named(new QLabel(TS_Language), QString("I_L%1").arg(k + 1));
        I_L[k]->setGeometry(left, top, kFlagSize, kFlagSize);
        I_L[k]->setScaledContents(true);
        I_L[k]->setFrameShape(QFrame::NoFrame);
        L_L[k] = Named(new QLabel(TS_Language), QString("L_L%1").arg(k + 1));
        L_L[k]->setGeometry(left + kFlagSize + 8, top + 14, 150, 20);
        for (QLabel* l : {I_L[k], L_L[k]}) {
            l->setCursor(Qt::PointingHandCursor);
            l->installEventFilter(this);
        }
    }
    Btn_Prev = Named(new QPushButton(TS_Language), "Btn_Prev");
    L_Page_Lang = Named(new QLabel(TS_Language), "L_Page_Lang");
    L_Page_Lang->setAlignment(Qt::AlignCenter);
    Btn_Next = Named(new QPushButton(TS_Language), "Btn_Next");

    // Connection options tab. Laid out, so longer translations widen the dialog instead of
    // being cut off.
    CB_En_Con = Named(new QCheckBox(TS_Con_Options), "CB_En_Con");
    CB_Update = Named(new QCheckBox(TS_Con_Options), "CB_Update");
    Btn_Check_Update = Named(new QPushButton(TS_Con_Options), "Btn_Check_Update");
    Btn_Check_Update->setMinimumSize(220, 28);
    LL_Check_Update = Named(new QLabel(TS_Con_Options), "LL_Check_Update");
    LL_Check_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                             Qt::LinksAccessibleByKeyboard);
    LL_Check_Update->setOpenExternalLinks(false);
    auto* con = new QGridLayout(TS_Con_Options);
    con->setContentsMargins(16, 16, 16, 16);
    con->setVerticalSpacing(10);
    con->setColumnMinimumWidth(0, 14); // indents the controls that depend on CB_En_Con
    con->addWidget(CB_En_Con, 0, 0, 1, 2);
    con->addWidget(CB_Update, 1, 1);
    con->addWidget(Btn_Check_Update, 2, 1, Qt::AlignLeft);
    con->addWidget(LL_Check_Update, 3, 1);
    con->setColumnStretch(1, 1);
    con->setRowStretch(4, 1);

    // Software settings tab.
    CB_Soft_Set_Jump_Table = Named(new QCheckBox(TS_Soft_Settings), "CB_Soft_Set_Jump_Table");
    CB_DoubleClick_Auto_Size = Named(new QCheckBox(TS_Soft_Settings), "CB_DoubleClick_Auto_Size");
    auto* soft = new QVBoxLayout(TS_Soft_Settings);
    soft->setContentsMargins(16, 16, 16, 16);
    soft->setSpacing(10);
    soft->addWidget(CB_Soft_Set_Jump_Table);
    soft->addWidget(CB_DoubleClick_Auto_Size);
    soft->addStretch();

    const ButtonPanel P_Button = MakeButtonPanel(this);
    Btn_OK = P_Button.ok;
    Btn_Cancel = P_Button.cancel;
    Btn_OK->setAutoDefault(false);
    Btn_Cancel->setAutoDefault(false);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    body->addWidget(PC_Options);
    // As small as the contents allow; the language tab's fixed tiles set the usual size.
    StackDialog(this, {P_Title, body, P_Button.panel})->setSizeConstraint(QLayout::SetFixedSize);

    connect(Btn_Prev, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Prev); });
    connect(Btn_Next, &QPushButton::clicked, this, [this] { Btn_NextClick(Btn_Next); });
    for (QCheckBox* cb : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(cb, &QCheckBox::clicked, this, &TFSoftOptions::Update_CheckBox);
    connect(Btn_Check_Update, &QPushButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);
    connect(LL_Check_Update, &QLabel::linkActivated, this,
            &TFSoftOptions::LL_Check_UpdateLinkClick);
    connect(Btn_OK, &QPushButton::clicked, this, &TFSoftOptions::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);

    Set_Lang();
}

void TFSoftOptions::Set_Lang() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    setWindowTitle(t(TextId::OptionsTitle));
    P_Title->description()->setText(t(TextId::OptionsDescription));
    PC_Options->setTabText(0, t(TextId::OptionsLanguageTab));
    PC_Options->setTabText(1, t(TextId::OptionsConnectionTab));
    PC_Options->setTabText(2, t(TextId::OptionsSettingsTab));
    L_Sel_Lang->setText(t(TextId::OptionsSelectedLanguage));
    L_Sel_Lang->adjustSize();
    L_Page_Lang->setText(t(TextId::OptionsPage) + "1" + t(TextId::OptionsPageOf) + "1");
    Btn_Prev->setText(t(TextId::OptionsPrevious));
    Btn_Next->setText(t(TextId::OptionsNext));
    PlacePaging();
    CB_En_Con->setText(t(TextId::OptionsEnableInternet));
    CB_Update->setText(t(TextId::OptionsCheckUpdateAtStart));
    Btn_Check_Update->setText(t(TextId::OptionsCheckUpdate));
    Btn_OK->setText(t(TextId::OptionsOk));
    Btn_Cancel->setText(t(TextId::OptionsCancel));
    CB_Soft_Set_Jump_Table->setText(t(TextId::OptionsEnterJumps));
    CB_DoubleClick_Auto_Size->setText(t(TextId::OptionsDoubleClickAutoSize));
}

void TFSoftOptions::PlacePaging() {
    // Both buttons as wide as the wider caption needs, at the two ends of the row; a long
    // pair widens the page.
    const int w = std::max({90, Btn_Prev->sizeHint().width(), Btn_Next->sizeHint().width()});
    constexpr int margin = 16, gap = 8, labelMin = 120, top = 222, h = 28;
    const int page = std::max(kLanguagePageWidth, 2 * (margin + w + gap) + labelMin);
    TS_Language->setMinimumWidth(page);
    Btn_Prev->setGeometry(margin, top, w, h);
    Btn_Next->setGeometry(page - margin - w, top, w, h);
    L_Page_Lang->setGeometry(margin + w + gap, top, page - 2 * (margin + w + gap), h);
}

void TFSoftOptions::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFSoftOptions::FormShow() {
    ++opening_;
    languageInUse_ = state_.Settings.LanguageName;
    Create_Lang_List();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(state_.Settings.EnableInternet);
    CB_Update->setChecked(state_.Settings.EnableUpdate);
    CB_Soft_Set_Jump_Table->setChecked(state_.Settings.EnableJumpFieldTables);
    CB_DoubleClick_Auto_Size->setChecked(state_.Settings.DoubleClickAutoSize);
    Update_CheckBox();
}

void TFSoftOptions::Create_Lang_List() {
    languages_ = ListLanguageFiles(state_.Workspace.LanguageDir);
    showPage_ = 1;
    Update_Lang_Page(showPage_);
}

int TFSoftOptions::PageCount() const {
    return (static_cast<int>(languages_.size()) + TilesPerPage - 1) / TilesPerPage;
}

void TFSoftOptions::ShowSelectedAndPage() {
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    L_Sel_Lang->setText(t(TextId::OptionsSelectedLanguage) + Q(languageInUse_));
    L_Sel_Lang->adjustSize();
    L_Page_Lang->setText(t(TextId::OptionsPage) + QString::number(showPage_) +
                         t(TextId::OptionsPageOf) + QString::number(PageCount()));
}

void TFSoftOptions::Update_Lang_Page(int Num_Page) {
    showPage_ = Num_Page;
    ShowSelectedAndPage();
    const int pages = PageCount();
    Btn_Prev->setVisible(Num_Page != 1);
    Btn_Next->setVisible(Num_Page != pages);

    const int first = (Num_Page - 1) * TilesPerPage;
    const int n = std::min(TilesPerPage, static_cast<int>(languages_.size()) - first);
    for (int k = 0; k < TilesPerPage; ++k) {
        const bool shown = k == 0 || k < n;
        I_L[k]->setVisible(shown);
        L_L[k]->setVisible(shown);
    }
    if (n <= 0) {
        // Nothing to offer: tile 1 stays in place but names no language.
        L_L[0]->clear();
        I_L[0]->clear();
        I_L[0]->hide();
        return;
    }
    for (int k = 0; k < n; ++k) {
        const std::string name = LanguageOf(languages_[static_cast<std::size_t>(first + k)]);
        L_L[k]->setText(Q(name));
        const auto flag = FlagPicture(state_.Workspace.LanguageDir, name);
        QPixmap picture;
        if (flag) picture.load(QPath(*flag));
        I_L[k]->setPixmap(picture);
        I_L[k]->setVisible(!picture.isNull());
    }
}

void TFSoftOptions::Btn_NextClick(QObject* sender) {
    if (sender == Btn_Next && PageCount() >= showPage_ + 1) ++showPage_;
    if (sender == Btn_Prev && showPage_ >= 2) --showPage_;
    Update_Lang_Page(showPage_);
}

void TFSoftOptions::LangClick(int tile) {
    const std::size_t i = static_cast<std::size_t>((showPage_ - 1) * TilesPerPage + (tile - 1));
    if (tile < 1 || tile > TilesPerPage || i >= languages_.size()) return;
    const std::string chosen = LanguageOf(languages_[i]);
    const auto t = [this](TextId id) { return Q(state_.Text(id)); };
    if (!services_.prompts.confirm(t(TextId::OptionsChangeLanguageFrom) + Q(languageInUse_) +
                                   t(TextId::OptionsChangeLanguageTo) + Q(chosen) +
                                   t(TextId::OptionsChangeLanguageEnd)))
        return;
    languageInUse_ = chosen;
    // The stored language changes only with OK; this load is for the screen.
    std::string loading = chosen;
    const Status loaded = Load_Language(state_.Workspace.LanguageDir, loading, state_.Lang);
    if (!loaded.ok()) services_.prompts.error(Q(loaded.message));
    if (hooks_.Change_Language) hooks_.Change_Language();
    ShowSelectedAndPage();
}

void TFSoftOptions::Update_CheckBox() {
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked() &&
                                 !checkRunning_);
}

void TFSoftOptions::Btn_Check_UpdateClick() {
    if (checkRunning_) return;
    checkRunning_ = true;
    Update_CheckBox();
    const QPointer<TFSoftOptions> self(this);
    const int opening = opening_;
    const auto done = [this, self, opening](bool newer) {
        if (!self) return;
        checkRunning_ = false;
        Update_CheckBox();
        if (opening != opening_ || !isVisible()) return;
        if (newer) {
            LL_Check_Update->setTextFormat(Qt::RichText);
            LL_Check_Update->setText(
                QString("<a href=\"%1\">%2</a>")
                    .arg(QString(DownloadPageUrl),
                         Q(state_.Text(TextId::OptionsNewVersion)).toHtmlEscaped()));
        } else {
            LL_Check_Update->setTextFormat(Qt::PlainText);
            LL_Check_Update->setText(Q(state_.Text(TextId::OptionsNoUpdate)));
        }
        LL_Check_Update->show();
    };
    if (services_.checkVersion)
        services_.checkVersion(done);
    else
        done(false);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString& link) {
    services_.prompts.openUrl(link);
}

void TFSoftOptions::Btn_OKClick() {
    state_.Settings.LanguageName = languageInUse_;
    state_.Settings.EnableInternet = CB_En_Con->isChecked();
    state_.Settings.EnableUpdate = CB_Update->isChecked();
    if (hooks_.ApplyTimerRule) hooks_.ApplyTimerRule();
    state_.Settings.EnableJumpFieldTables = CB_Soft_Set_Jump_Table->isChecked();
    state_.Settings.DoubleClickAutoSize = CB_DoubleClick_Auto_Size->isChecked();
    accept();
}

bool TFSoftOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int k = 0; k < TilesPerPage; ++k) {
            if (watched == I_L[k] || watched == L_L[k]) {
                LangClick(k + 1);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kt
