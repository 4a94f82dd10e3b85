// The options dialog: language tiles and paging, the language change question, enabling
// rules, check now and what OK and Cancel store.

#include "FakePrompts.h"
#include "base/Identity.h"
#include "options/USoftOptions.h"
#include "ui/UQtText.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace kt;

class TestSoftOptions : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    AppState state_;
    test::FakePrompts prompts_;
    QList<std::function<void(bool)>> pendingChecks_;
    int languageChanges_ = 0;
    QList<AppSettings> timerRuleSeen_;
    std::unique_ptr<TFSoftOptions> dlg_;

    template <typename T> T* child(const QString& name) {
        T* w = dlg_->findChild<T*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QString t(int id) const { return Q(state_.Lang.Get_Text(id)); }
    QString langDir() const { return QPath(state_.Workspace.LanguageDir); }

    void addLanguages(const QStringList& names) {
        for (const QString& n : names) {
            QFile f(langDir() + "/" + n + ".lng");
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }
    void addFlag(const QString& name) {
        QImage img(48, 48, QImage::Format_RGB32);
        img.fill(Qt::blue);
        QVERIFY(img.save(langDir() + "/" + name + ".bmp", "BMP"));
    }
    void open() {
        dlg_->hide();
        dlg_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
    }
    static void tick(QCheckBox* cb) {
        QTest::mouseClick(cb, Qt::LeftButton, {}, QPoint(6, cb->height() / 2));
    }
    // Which of the six tiles show their label.
    QString shownTiles() {
        QString s;
        for (int k = 1; k <= 6; ++k)
            s += child<QLabel>(QString("L_L%1").arg(k))->isVisible() ? 'x' : '-';
        return s;
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        state_ = AppState{};
        state_.Lang.Load_Default_Texts();
        state_.Workspace = MakeWorkspacePaths(PathOf(dir_->path()));
        CreateWorkspaceDirs(state_.Workspace);
        state_.Settings.LanguageName = "English";
        prompts_ = test::FakePrompts{};
        pendingChecks_.clear();
        languageChanges_ = 0;
        timerRuleSeen_.clear();
        Services services{prompts_};
        services.checkVersion = [this](std::function<void(bool)> done) {
            pendingChecks_.append(std::move(done));
        };
        SoftOptionsHooks hooks;
        hooks.Change_Language = [this] {
            ++languageChanges_;
            dlg_->Set_Lang(); // as the main window's Change_Language does
        };
        hooks.ApplyTimerRule = [this] { timerRuleSeen_.append(state_.Settings); };
        dlg_ = std::make_unique<TFSoftOptions>(state_, services, hooks);
    }
    void cleanup() { dlg_.reset(); }

    void creation_appliesTexts() {
        QCOMPARE(dlg_->windowTitle(), t(300));
        QCOMPARE(child<QLabel>("L_SW_Code")->text(), QString(SwCode));
        auto* tabs = child<QTabWidget>("PC_Options");
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0), t(302));
        QCOMPARE(tabs->tabText(1), t(303));
        QCOMPARE(tabs->tabText(2), t(319));
        QCOMPARE(child<QLabel>("L_Page_Lang")->text(), t(305) + "1" + t(306) + "1");
        QCOMPARE(child<QCheckBox>("CB_DoubleClick_Auto_Size")->text(), t(321));
    }

    void texts_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("id");
        QTest::newRow("L_SW_Desc") << "L_SW_Desc" << 301;
        QTest::newRow("L_Sel_Lang") << "L_Sel_Lang" << 304;
        QTest::newRow("Btn_Prev") << "Btn_Prev" << 307;
        QTest::newRow("Btn_Next") << "Btn_Next" << 308;
        QTest::newRow("CB_En_Con") << "CB_En_Con" << 309;
        QTest::newRow("CB_Update") << "CB_Update" << 310;
        QTest::newRow("Btn_Check_Update") << "Btn_Check_Update" << 311;
        QTest::newRow("Btn_OK") << "Btn_OK" << 312;
        QTest::newRow("Btn_Cancel") << "Btn_Cancel" << 313;
        QTest::newRow("CB_Soft_Set_Jump_Table") << "CB_Soft_Set_Jump_Table" << 320;
        QTest::newRow("CB_DoubleClick_Auto_Size") << "CB_DoubleClick_Auto_Size" << 321;
    }
    void texts() {
        QFETCH(QString, control);
        QFETCH(int, id);
        for (int i = 300; i <= 321; ++i)
            state_.Lang.Set_Text(i, "T" + std::to_string(i));
        dlg_->Set_Lang();
        QWidget* w = child<QWidget>(control);
        const QString text = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text()
                                                      : qobject_cast<QAbstractButton*>(w)->text();
        QCOMPARE(text, QString("T%1").arg(id));
    }

    // Long translations widen the dialog; no caption is cut off.
    void longTextsFit_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("whileOpen");
        for (const bool open : {false, true}) {
            const char* when = open ? "changed while open" : "set before opening";
            const auto row = [&](const char* name, int tab) {
                QTest::addRow("%s, %s", name, when) << QString(name) << tab << open;
            };
            row("Btn_Prev", 0);
            row("Btn_Next", 0);
            row("CB_En_Con", 1);
            row("CB_Update", 1);
            row("Btn_Check_Update", 1);
            row("CB_Soft_Set_Jump_Table", 2);
            row("CB_DoubleClick_Auto_Size", 2);
        }
    }
    void longTextsFit() {
        QFETCH(QString, control);
        QFETCH(int, tab);
        QFETCH(bool, whileOpen);
        addLanguages({"A", "B", "C", "D", "E", "F", "G"}); // page 1 of 2: Next shown
        if (whileOpen) open();
        std::string long_;
        for (int i = 0; i < 16; ++i)
            long_ += "Wort ";
        for (const int id : {307, 308, 309, 310, 311, 320, 321})
            state_.Lang.Set_Text(id, long_);
        dlg_->Set_Lang();
        if (!whileOpen) open();
        auto* tabs = child<QTabWidget>("PC_Options");
        tabs->setCurrentIndex(tab);
        if (control == "Btn_Prev") // shown on page 2 only
            QTest::mouseClick(child<QPushButton>("Btn_Next"), Qt::LeftButton);
        QWidget* w = child<QWidget>(control);
        QVERIFY(w->isVisible());
        QTRY_VERIFY2(w->width() >= w->sizeHint().width(), "the caption is cut off");
        QVERIFY2(w->geometry().right() < tabs->currentWidget()->width(), "beyond its page");
        QVERIFY2(tabs->geometry().right() < dlg_->width(), "beyond the dialog");
    }

    void paging_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("nextClicks");
        QTest::addColumn<QString>("tiles");
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("prev");
        QTest::addColumn<bool>("next");
        QTest::addColumn<QString>("firstName");
        QTest::newRow("six, one page") << 6 << 0 << "xxxxxx"
                                       << "1/1" << false << false << "L01";
        QTest::newRow("seven, page 1") << 7 << 0 << "xxxxxx"
                                       << "1/2" << false << true << "L01";
        QTest::newRow("seven, page 2") << 7 << 1 << "x-----"
                                       << "2/2" << true << false << "L07";
        QTest::newRow("seven, next stops at last") << 7 << 2 << "x-----"
                                                   << "2/2" << true << false << "L07";
        QTest::newRow("twelve, page 2") << 12 << 1 << "xxxxxx"
                                        << "2/2" << true << false << "L07";
        QTest::newRow("thirteen, page 2") << 13 << 1 << "xxxxxx"
                                          << "2/3" << true << true << "L07";
        QTest::newRow("none") << 0 << 0 << "x-----"
                              << "1/0" << false << true << "";
    }
    void paging() {
        QFETCH(int, files);
        QFETCH(int, nextClicks);
        QFETCH(QString, tiles);
        QFETCH(QString, page);
        QFETCH(bool, prev);
        QFETCH(bool, next);
        QFETCH(QString, firstName);
        QStringList names;
        for (int i = files; i >= 1; --i)
            names << QString("L%1").arg(i, 2, 10, QChar('0'));
        addLanguages(names);
        open();
        for (int i = 0; i < nextClicks; ++i)
            QTest::mouseClick(child<QPushButton>("Btn_Next"), Qt::LeftButton);
        QCOMPARE(shownTiles(), tiles);
        const QStringList pp = page.split('/');
        QCOMPARE(child<QLabel>("L_Page_Lang")->text(), t(305) + pp[0] + t(306) + pp[1]);
        QCOMPARE(child<QPushButton>("Btn_Prev")->isVisible(), prev);
        QCOMPARE(child<QPushButton>("Btn_Next")->isVisible(), next);
        QCOMPARE(child<QLabel>("L_L1")->text(), firstName);
        QCOMPARE(child<QLabel>("L_Sel_Lang")->text(), t(304) + "English");
        QVERIFY(!child<QCheckBox>("CB_En_Con")->isVisible()); // other tabs stay behind
    }

    void prev_goesBackAPage() {
        addLanguages({"A", "B", "C", "D", "E", "F", "G"});
        open();
        QTest::mouseClick(child<QPushButton>("Btn_Next"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>("Btn_Prev"), Qt::LeftButton);
        QCOMPARE(dlg_->Show_Page(), 1);
        QCOMPARE(child<QLabel>("L_L1")->text(), QString("A"));
        QCOMPARE(shownTiles(), QString("xxxxxx"));
    }

    void flags_data() {
        QTest::addColumn<QStringList>("bitmaps");
        QTest::addColumn<bool>("pictureShown");
        QTest::newRow("own flag") << QStringList{"French"} << true;
        QTest::newRow("default flag") << QStringList{"DefaultFlag"} << true;
        QTest::newRow("no flag at all") << QStringList{} << false;
    }
    void flags() {
        QFETCH(QStringList, bitmaps);
        QFETCH(bool, pictureShown);
        addLanguages({"French"});
        for (const QString& b : bitmaps)
            addFlag(b);
        open();
        auto* picture = child<QLabel>("I_L1");
        QCOMPARE(picture->isVisible(), pictureShown);
        QCOMPARE(picture->pixmap().isNull(), !pictureShown);
        QVERIFY(child<QLabel>("L_L1")->isVisible());
    }

    void choosingALanguage_asksLoadsAndKeepsThePage() {
        addLanguages({"A", "B", "C", "D", "E", "F"});
        {
            QFile f(langDir() + "/Greek.lng");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\xef\xbb\xbfSTR300 = Epiloges\nSTR304 = \xc2\xb6Glossa: \xc2\xb6\n");
        }
        open();
        QTest::mouseClick(child<QPushButton>("Btn_Next"), Qt::LeftButton);

        prompts_.confirmAnswers.append(false);
        QTest::mouseClick(child<QLabel>("L_L1"), Qt::LeftButton);
        QCOMPARE(prompts_.questions(), QStringList{t(316) + "English" + t(317) + "Greek" + t(318)});
        QCOMPARE(languageChanges_, 0);
        QCOMPARE(dlg_->Language_In_Use(), std::string("English"));

        state_.Lang.Set_Text(17, "changed");
        prompts_.confirmAnswers.append(true);
        QTest::mouseClick(child<QLabel>("I_L1"), Qt::LeftButton);
        QCOMPARE(languageChanges_, 1);
        QCOMPARE(state_.Lang.Get_Text(17),
                 std::string(DefaultText(17))); // loading starts from defaults
        QCOMPARE(dlg_->windowTitle(), QString("Epiloges"));
        QCOMPARE(dlg_->Language_In_Use(), std::string("Greek"));
        QCOMPARE(state_.Settings.LanguageName, std::string("English"));
        QCOMPARE(dlg_->Show_Page(), 2);
        QCOMPARE(child<QLabel>("L_Page_Lang")->text(), t(305) + "2" + t(306) + "2");
        QCOMPARE(child<QLabel>("L_Sel_Lang")->text(), QString("Glossa: Greek"));
        QVERIFY(prompts_.errors().isEmpty());
    }

    void cancelKeepsTheStoredLanguage_okStoresIt() {
        addLanguages({"Greek"});
        open();
        prompts_.confirmAnswers.append(true);
        QTest::mouseClick(child<QLabel>("L_L1"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>("Btn_Cancel"), Qt::LeftButton);
        QCOMPARE(dlg_->result(), int(QDialog::Rejected));
        QCOMPARE(state_.Settings.LanguageName, std::string("English"));
        QVERIFY(timerRuleSeen_.isEmpty());

        open(); // the next opening starts from the stored language
        QCOMPARE(child<QLabel>("L_Sel_Lang")->text(), t(304) + "English");
        prompts_.confirmAnswers.append(true);
        QTest::mouseClick(child<QLabel>("L_L1"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>("Btn_OK"), Qt::LeftButton);
        QCOMPARE(dlg_->result(), int(QDialog::Accepted));
        QCOMPARE(state_.Settings.LanguageName, std::string("Greek"));
    }

    void vanishedLanguageFile_fallsBackToEnglishButOkStoresTheChoice_data() {
        QTest::addColumn<bool>("englishFile");
        QTest::addColumn<QString>("title");
        QTest::newRow("English.lng present") << true << "Options from file";
        QTest::newRow("built-in defaults") << false << QString(DefaultText(300));
    }
    void vanishedLanguageFile_fallsBackToEnglishButOkStoresTheChoice() {
        QFETCH(bool, englishFile);
        QFETCH(QString, title);
        addLanguages({"Greek"});
        if (englishFile) {
            QFile f(langDir() + "/English.lng");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("STR300 = Options from file\n");
        }
        open();
        const QString tile = englishFile ? "L_L2" : "L_L1"; // English sorts first
        QCOMPARE(child<QLabel>(tile)->text(), QString("Greek"));
        QVERIFY(QFile::remove(langDir() + "/Greek.lng"));
        state_.Lang.Set_Text(300, "stale");
        prompts_.confirmAnswers.append(true);
        QTest::mouseClick(child<QLabel>(tile), Qt::LeftButton);
        QCOMPARE(languageChanges_, 1);
        QCOMPARE(dlg_->windowTitle(), title);
        QCOMPARE(dlg_->Language_In_Use(), std::string("Greek"));
        QVERIFY(prompts_.errors().isEmpty());
        QTest::mouseClick(child<QPushButton>("Btn_OK"), Qt::LeftButton);
        QCOMPARE(state_.Settings.LanguageName, std::string("Greek"));
    }

    void emptyListOffersNothingToChoose() {
        open();
        QTest::mouseClick(child<QLabel>("L_L1"), Qt::LeftButton);
        QVERIFY(prompts_.calls.isEmpty());
        QCOMPARE(languageChanges_, 0);
    }

    void enablingRules_data() {
        QTest::addColumn<bool>("internet");
        QTest::addColumn<bool>("update");
        QTest::addColumn<bool>("updateEnabled");
        QTest::addColumn<bool>("checkEnabled");
        QTest::newRow("both") << true << true << true << true;
        QTest::newRow("internet only") << true << false << true << false;
        QTest::newRow("update only") << false << true << false << false;
        QTest::newRow("neither") << false << false << false << false;
    }
    void enablingRules() {
        QFETCH(bool, internet);
        QFETCH(bool, update);
        QFETCH(bool, updateEnabled);
        QFETCH(bool, checkEnabled);
        state_.Settings.EnableInternet = internet;
        state_.Settings.EnableUpdate = update;
        open();
        QCOMPARE(child<QCheckBox>("CB_Update")->isChecked(), update);
        QCOMPARE(child<QCheckBox>("CB_Update")->isEnabled(), updateEnabled);
        QCOMPARE(child<QPushButton>("Btn_Check_Update")->isEnabled(), checkEnabled);
    }

    void enablingRules_followClicks() {
        state_.Settings.EnableInternet = true;
        state_.Settings.EnableUpdate = true;
        open();
        child<QTabWidget>("PC_Options")->setCurrentIndex(1);
        auto* internet = child<QCheckBox>("CB_En_Con");
        auto* update = child<QCheckBox>("CB_Update");
        auto* check = child<QPushButton>("Btn_Check_Update");
        tick(internet);
        QVERIFY(!update->isEnabled() && update->isChecked() && !check->isEnabled());
        tick(internet);
        QVERIFY(update->isEnabled() && check->isEnabled());
        tick(update);
        QVERIFY(!check->isEnabled());
    }

    void okStoresFlagsBeforeTheTimerRule() {
        state_.Settings.EnableInternet = true;
        state_.Settings.EnableUpdate = false;
        open();
        child<QTabWidget>("PC_Options")->setCurrentIndex(1);
        tick(child<QCheckBox>("CB_Update"));
        child<QTabWidget>("PC_Options")->setCurrentIndex(2);
        tick(child<QCheckBox>("CB_Soft_Set_Jump_Table"));
        tick(child<QCheckBox>("CB_DoubleClick_Auto_Size"));
        QTest::mouseClick(child<QPushButton>("Btn_OK"), Qt::LeftButton);
        QCOMPARE(timerRuleSeen_.size(), 1);
        QVERIFY(timerRuleSeen_[0].EnableInternet && timerRuleSeen_[0].EnableUpdate);
        QVERIFY(state_.Settings.EnableJumpFieldTables && state_.Settings.DoubleClickAutoSize);
    }

    void cancelStoresNoFlag() {
        open();
        child<QTabWidget>("PC_Options")->setCurrentIndex(1);
        tick(child<QCheckBox>("CB_En_Con"));
        QTest::mouseClick(child<QPushButton>("Btn_Cancel"), Qt::LeftButton);
        QVERIFY(!state_.Settings.EnableInternet);
        QVERIFY(timerRuleSeen_.isEmpty());
    }

    void checkNow_data() {
        QTest::addColumn<bool>("newer");
        QTest::newRow("newer version") << true;
        QTest::newRow("no newer version") << false;
    }
    void checkNow() {
        QFETCH(bool, newer);
        state_.Settings.EnableInternet = true;
        state_.Settings.EnableUpdate = true;
        open();
        child<QTabWidget>("PC_Options")->setCurrentIndex(1);
        auto* button = child<QPushButton>("Btn_Check_Update");
        auto* link = child<QLabel>("LL_Check_Update");
        QVERIFY(!link->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(pendingChecks_.size(), 1);
        QVERIFY(!button->isEnabled()); // no second request while one runs
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(pendingChecks_.size(), 1);

        pendingChecks_.takeFirst()(newer);
        QVERIFY(button->isEnabled());
        QVERIFY(link->isVisible());
        if (newer) {
            QCOMPARE(link->text(),
                     QString("<a href=\"%1\">%2</a>").arg(DownloadPageUrl, t(314).toHtmlEscaped()));
            emit link->linkActivated(DownloadPageUrl);
            QCOMPARE(prompts_.texts(test::FakePrompts::Kind::OpenUrl),
                     QStringList{DownloadPageUrl});
        } else {
            QCOMPARE(link->textFormat(), Qt::PlainText);
            QCOMPARE(link->text(), t(315));
        }

        open(); // every opening hides the result and shows the language tab again
        QVERIFY(!link->isVisible());
        QCOMPARE(child<QTabWidget>("PC_Options")->currentIndex(), 0);
    }

    void lateAnswerOfAnEarlierOpeningIsDropped() {
        state_.Settings.EnableInternet = true;
        state_.Settings.EnableUpdate = true;
        open();
        dlg_->Btn_Check_UpdateClick();
        open();
        pendingChecks_.takeFirst()(true);
        QVERIFY(!child<QLabel>("LL_Check_Update")->isVisible());
        QVERIFY(child<QPushButton>("Btn_Check_Update")->isEnabled());
    }
};

QTEST_MAIN(TestSoftOptions)
#include "tst_soft_options.moc"
