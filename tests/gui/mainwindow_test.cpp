// The main window end to end: start with and without settings, disclaimer,
// the result commands with warnings and errors, language switch, close query
// and the settings written at the end.
#include "guitest.h"

#include <QComboBox>
#include <QFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextBrowser>

#include "calc/texts.h"
#include "shell/projectfile.h"
#include "ui/helpwindow.h"

#include <QDir>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;
using qeln::test::TestMain;

class MainWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString ini() const { return dir.path() + "/qeln.INI"; }

    // A main window that has accepted the disclaimer.
    std::unique_ptr<TestMain> started()
    {
        auto w = std::make_unique<TestMain>(qeln::test::testOptions(ini()));
        w->show();
        ModalScript script;
        script.press("OkButton");
        if (!w->FormActivate())
            return nullptr;
        return w;
    }
    static void setInput(TestMain& w, const std::function<void(ColumnInput&)>& f)
    {
        ColumnInput in = w.workflow().input;
        f(in);
        w.workflow().acceptInput(in);
    }
    static QString menuTitle(TestMain& w, const char* name) { return w.findChild<QMenu*>(name)->title(); }

private slots:
    void initTestCase()
    {
        qeln::test::useEnglishLocale();
        QVERIFY(dir.isValid());
    }
    void init() { QFile::remove(ini()); }

    void startWithoutSettingsIsEnglishWithEmptyUserAndDisclaimer()
    {
        TestMain w(qeln::test::testOptions(ini()));
        w.show();
        ModalScript script;
        QString accept, refuse, disclaimer;
        script.then([&](QDialog* d) {
            auto* box = qobject_cast<AboutBox*>(d);
            QVERIFY(box);
            accept = box->OkButton->text();
            refuse = box->Cancelbutton->isVisible() ? box->Cancelbutton->text() : QString();
            disclaimer = box->memdisclaimer->toPlainText();
            box->OkButton->click();
        });
        QVERIFY(w.FormActivate());
        QCOMPARE(script.seen, QStringList{"AboutBox"});
        QCOMPARE(accept, QString("Accept"));
        QCOMPARE(refuse, QString("Refuse"));
        QVERIFY(disclaimer.startsWith("This software takes only account"));
        QCOMPARE(menuTitle(w, "mitfile"), QString("&File"));
        QCOMPARE(w.windowTitle(), QString("QELN - Column  -  "));
        QCOMPARE(w.workflow().input.office, std::string());
        QCOMPARE(w.workflow().input.author, std::string());
        QCOMPARE(w.workflow().input.profileName, std::string("HE 320 A"));
        QCOMPARE(w.workflow().input.h, 310.0);
        QVERIFY(!w.workflow().projectChanged);
    }

    void refusingTheDisclaimerEnds()
    {
        TestMain w(qeln::test::testOptions(ini()));
        w.show();
        ModalScript script;
        script.press("Cancelbutton");
        QVERIFY(!w.FormActivate());
        QVERIFY(w.disclaimerRefused());
    }

    // the reason (a missing installed catalogue, say) is told with the fixed message
    void catalogueThatCannotBeOpenedTellsWhyAndEnds()
    {
        ui::MainOptions o = qeln::test::testOptions(ini());
        o.openCatalogue = [](std::string& error) -> std::unique_ptr<ui::ProfileTable> {
            error = "The profile catalogue PROFKVL2.DBF is not installed";
            return nullptr;
        };
        ModalScript script;
        script.answer(QMessageBox::Ok);
        TestMain w(o);
        QVERIFY(!w.catalogueOpen());
        QCOMPARE(script.texts, QStringList{"Could not open the profile database. Program will be closed\n\n"
                                           "The profile catalogue PROFKVL2.DBF is not installed"});
    }

    // qeln-column FILE.qln: the file opens once the disclaimer is accepted,
    // through the same path as File > Open (its messages, in the language of
    // the settings; a file that cannot be read leaves the default project).
    void projectGivenOnTheCommandLineOpensAtStart()
    {
        ColumnInput saved = TestMain(qeln::test::testOptions(ini())).workflow().input;   // the default project
        saved.projectName = "Tower";
        saved.d = 25;
        const QString path = dir.path() + "/start.qln";
        QVERIFY(SaveProjectFile(path.toStdString(), saved).ok());

        // a relative name is taken from the folder the program was started in
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        ui::MainOptions o = qeln::test::testOptions(ini());
        o.startProject = startProjectArgument({"qeln-column", "start.qln"});
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(QString::fromStdString(o.startProject), path);
        QCOMPARE(startProjectArgument({"qeln-column"}), std::string());

        TestMain w(o);
        w.show();
        ModalScript script;
        script.press("OkButton");
        QVERIFY(w.FormActivate());
        QCOMPARE(script.seen, QStringList{"AboutBox"});
        QCOMPARE(w.workflow().input.projectName, std::string("Tower"));
        QCOMPARE(w.workflow().input.d, 25.0);
        QCOMPARE(w.workflow().fileName, path.toStdString());
        QCOMPARE(w.windowTitle(), "QELN - Column  -  " + path);
        QVERIFY(!w.workflow().projectChanged);
        QVERIFY(w.workflow().resultsStale);
    }

    void projectOnTheCommandLineThatCannotBeReadGivesTheUsualMessage()
    {
        writeSettingsFile(ini(), {10000, "", ""});
        const QString bad = dir.path() + "/old.qln";
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("960101\r\nsomething\r\n");
        f.close();
        for (const QString& path : {bad, dir.path() + "/missing.qln"}) {
            ui::MainOptions o = qeln::test::testOptions(ini());
            o.startProject = path.toStdString();
            TestMain w(o);
            w.show();
            ModalScript script;
            script.press("OkButton").answer(QMessageBox::Ok);
            QVERIFY(w.FormActivate());
            QCOMPARE(script.seen.size(), 2);
            // French, as the settings say
            QCOMPARE(script.texts.value(0), QString::fromStdString(LoadText(path == bad ? 515 : 514, 10000, nullptr)));
            QCOMPARE(w.workflow().fileName, std::string());
            QCOMPARE(w.workflow().input.profileName, std::string("HE 320 A"));
            QVERIFY(!w.workflow().projectChanged);
        }
    }

    // refusing the disclaimer opens nothing
    void refusedDisclaimerOpensNoProject()
    {
        ui::MainOptions o = qeln::test::testOptions(ini());
        bool read = false;
        o.loadProject = [&read](const std::string&, ColumnInput&) {
            read = true;
            return LoadOutcome::CannotOpen;
        };
        o.startProject = (dir.path() + "/any.qln").toStdString();
        TestMain w(o);
        w.show();
        ModalScript script;
        script.press("Cancelbutton");
        QVERIFY(!w.FormActivate());
        QVERIFY(!read);
    }

    void settingsFileSelectsGermanAndSeedsTheProject()
    {
        writeSettingsFile(ini(), {20000, "Stahlbau AG", "Kurt"});
        auto w = started();
        QVERIFY(w);
        QCOMPARE(menuTitle(*w, "mitfile"), QString("&Datei"));
        QVERIFY(w->windowTitle().startsWith(QString::fromUtf8("QELN - Stütze  -  ")));
        QCOMPARE(w->workflow().input.office, std::string("Stahlbau AG"));
        QCOMPARE(w->workflow().input.author, std::string("Kurt"));
        // the user name changed in the project becomes the next start's default
        setInput(*w, [](ColumnInput& in) { in.author = "Berta"; });
        w->workflow().projectChanged = false;
        w.reset();
        const SettingsValues v = readSettingsFile(ini());
        QCOMPARE(v.language, 20000);
        QCOMPARE(v.user, std::string("Berta"));
        QCOMPARE(v.enterprise, std::string("Stahlbau AG"));
    }

    void switchingToGermanRenamesEverythingAndCountsAsChange()
    {
        auto w = started();
        QVERIFY(w);
        w->mitGermanClick();
        QCOMPARE(menuTitle(*w, "mitfile"), QString("&Datei"));
        QVERIFY(w->windowTitle().startsWith(QString::fromUtf8("QELN - Stütze")));
        QVERIFY(w->workflow().projectChanged);
        QVERIFY(w->workflow().resultsStale);
        QCOMPARE(w->findChild<QPushButton*>("btnresult")->text(), QString("Ergebnisse"));
        QCOMPARE(w->armatDialog->nedd->Messagestring().contains("%g"), true);
        QVERIFY(!w->armatDialog->nedd->Messagestring().startsWith("Value"));
        // every control of the table got a text other than the missing-text mark
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            QVERIFY2(!b->text().contains("***"), qPrintable(b->objectName()));
        // the print method choice is refilled and thereby cleared
        w->printMethod->rdgprint->setItemIndex(0);
        w->mitFrenchClick();
        QCOMPARE(w->printMethod->rdgprint->itemIndex(), -1);
        QCOMPARE(w->printMethod->rdgprint->items().size(), 2);
        w->mitEnglishClick();
        QCOMPARE(menuTitle(*w, "mitfile"), QString("&File"));
        w->workflow().projectChanged = false;
    }

    void resultsWithWarningsShowWarningsFirstThenResultsAndRunOnce()
    {
        auto w = started();
        QVERIFY(w);
        setInput(*w, [](ColumnInput& in) { in.fck = 85; });   // unrealistic concrete: a warning only
        ModalScript script;
        QString errorsText, warningsText;
        script.then([&](QDialog* d) {
            auto* warn = qobject_cast<frmwarn*>(d);
            QVERIFY(warn);
            errorsText = warn->memerr->toPlainText();
            warningsText = warn->memwarn->toPlainText();
            d->accept();
        });
        script.press("OKBtn");
        w->btnresultClick();
        QVERIFY(script.done());
        QCOMPARE(script.seen, (QStringList{"frmwarn", "frmresult"}));
        QCOMPARE(errorsText, QString());
        QVERIFY(warningsText.contains("concrete"));
        QVERIFY(w->resultWindow->memwarn->toPlainText().contains("concrete"));
        QCOMPARE(w->resultWindow->stgresults->item(3, 0)->text(), QString("Service"));
        QVERIFY(w->resultWindow->stgresults->item(3, 1)->text().toDouble() > 1000);
        QVERIFY(w->detailWindow->memres->toPlainText().contains("Warnings"));
        QVERIFY(!w->grafikWindow->imgdyngraf->picture().empty());
        QCOMPARE(w->runs, 1);
        // second press: no new run, no warnings window
        ModalScript again;
        again.press("OKBtn");
        w->btnresultClick();
        QCOMPARE(again.seen, QStringList{"frmresult"});
        QCOMPARE(w->runs, 1);
        // details and graphic show their windows without running either
        ModalScript more;
        more.press("OKBtn").press("OKBtn");
        w->btndetailClick();
        w->btngrafikClick();
        QCOMPARE(more.seen, (QStringList{"frmdetail", "frmgrafik"}));
        QCOMPARE(w->runs, 1);
        w->workflow().projectChanged = false;
    }

    void resultsWithErrorsShowOnlyTheErrorWindowAndRecalculate()
    {
        auto w = started();
        QVERIFY(w);
        setInput(*w, [](ColumnInput& in) { in.e1 = 200; });   // more than half the width: an error
        ModalScript script;
        QString errorsText;
        script.then([&](QDialog* d) {
            errorsText = static_cast<frmwarn*>(d)->memerr->toPlainText();
            d->accept();
        });
        w->btndetailClick();
        QCOMPARE(script.seen, QStringList{"frmwarn"});
        QVERIFY(!errorsText.isEmpty());
        QVERIFY(w->workflow().resultsStale);
        ModalScript again;
        again.accept();
        w->btnresultClick();
        QCOMPARE(again.seen, QStringList{"frmwarn"});
        QCOMPARE(w->runs, 2);
        w->workflow().projectChanged = false;
    }

    void cleanRunShowsNoWarningsWindow()
    {
        auto w = started();
        QVERIFY(w);
        ModalScript script;
        script.press("OKBtn");
        w->btngrafikClick();
        QCOMPARE(script.seen, QStringList{"frmgrafik"});
        const QString listing = w->detailWindow->memres->toPlainText();
        QVERIFY(listing.contains("Input values:"));
        QVERIFY(!listing.contains("Warnings\n"));
        QCOMPARE(w->detailWindow->memres->font().styleHint(), QFont::Monospace);
    }

    void closeQueryYesNoCancel()
    {
        auto w = started();
        QVERIFY(w);
        setInput(*w, [](ColumnInput& in) { in.d = 25; });
        {
            ModalScript script;
            script.answer(QMessageBox::Cancel);
            QVERIFY(!w->close());
            QCOMPARE(script.texts, QStringList{"Save Data?"});
        }
        {
            // Yes, then the save dialog is cancelled: the program stays
            ModalScript script;
            script.answer(QMessageBox::Yes);
            w->savePaths = {std::nullopt};
            QVERIFY(!w->close());
            QVERIFY(w->workflow().projectChanged);
        }
        {
            ModalScript script;
            script.answer(QMessageBox::No);
            QVERIFY(w->close());
        }
    }

    void newAsksBeforeLosingChanges()
    {
        auto w = started();
        QVERIFY(w);
        setInput(*w, [](ColumnInput& in) { in.d = 25; });
        ModalScript script;
        script.answer(QMessageBox::Cancel).answer(QMessageBox::Ok);
        w->FileNew();
        QCOMPARE(w->workflow().input.d, 25.0);
        w->FileNew();
        QCOMPARE(w->workflow().input.d, 20.0);
        QCOMPARE(script.texts.value(0), QString("Unsaved data will be lost! Continue?"));
        w->workflow().projectChanged = false;
    }

    void inputDialogOkMarksChangedCancelDoesNot()
    {
        auto w = started();
        QVERIFY(w);
        ModalScript script;
        script.press("CancelBtn");
        w->btnflambClick();
        QVERIFY(!w->workflow().projectChanged);
        ModalScript ok;
        ok.then([](QDialog* d) {
            auto* f = static_cast<frmflamb*>(d);
            f->nedfweak->setFocus();
            f->nedfweak->selectAll();
            QTest::keyClicks(f->nedfweak, "2.1");
            f->okButton()->click();
        });
        w->btnflambClick();
        QVERIFY(w->workflow().projectChanged);
        QCOMPARE(w->workflow().input.lWeakFire, 2.1);
        w->workflow().projectChanged = false;
    }

    void profileButtonTakesTheChosenRow()
    {
        auto w = started();
        QVERIFY(w);
        ModalScript script;
        script.then([](QDialog* d) {
            auto* p = static_cast<frmprofil*>(d);
            QCOMPARE(p->cmbfam->currentText(), QString("HE 320 A"));
            QCOMPARE(p->DBText6->text(), QString("HE 320 A"));
            p->cmbfam->setEditText("he 300 b");
            p->okButton()->click();
        });
        w->btnprofilClick();
        QCOMPARE(w->workflow().input.profileName, std::string("HE 300 B"));
        QCOMPARE(w->workflow().input.tf, 19.0);
        QVERIFY(w->workflow().projectChanged);
        w->workflow().projectChanged = false;
    }

    void saveWithoutNameAsksForOneKeepsBackupAndReopens()
    {
        auto w = started();
        QVERIFY(w);
        const QString path = dir.path() + "/col1.qln";
        QFile::remove(path);
        QFile::remove(dir.path() + "/col1BAK");
        setInput(*w, [](ColumnInput& in) {
            in.d = 25;
            in.n1 = 8;
            in.projectName = "Tower";
        });
        w->savePaths = {path.toStdString()};
        w->FileSave();
        QVERIFY(!w->workflow().projectChanged);
        QCOMPARE(w->windowTitle(), "QELN - Column  -  " + path);
        QVERIFY(QFile::exists(path));
        // a second save keeps the first file as the backup
        setInput(*w, [](ColumnInput& in) { in.d = 28; });
        w->FileSave();
        QVERIFY(QFile::exists(dir.path() + "/col1BAK"));
        // New, then open the file again: the saved values come back
        ModalScript none;
        w->FileNew();
        QCOMPARE(none.seen, QStringList{});   // nothing unsaved: no question
        QCOMPARE(w->workflow().input.d, 20.0);
        w->openPaths = {path.toStdString()};
        w->FileOpen();
        QCOMPARE(w->workflow().input.d, 28.0);
        QCOMPARE(w->workflow().input.n1, 8);
        QCOMPARE(w->workflow().input.projectName, std::string("Tower"));
        QCOMPARE(w->workflow().fileName, path.toStdString());
        QVERIFY(!w->workflow().projectChanged);
        QVERIFY(w->workflow().resultsStale);
    }

    void openOfWrongVersionKeepsTheProject()
    {
        auto w = started();
        QVERIFY(w);
        const QString bad = dir.path() + "/old.qln";
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("960101\r\nsomething\r\n");
        f.close();
        setInput(*w, [](ColumnInput& in) { in.fy = 275; });
        w->workflow().projectChanged = false;
        w->openPaths = {bad.toStdString(), (dir.path() + "/missing.qln").toStdString()};
        ModalScript script;
        script.answer(QMessageBox::Ok).answer(QMessageBox::Ok);
        w->FileOpen();
        w->FileOpen();
        QCOMPARE(script.texts, (QStringList{"File has wrong Versionnumber", "Error during File Opening"}));
        QCOMPARE(w->workflow().input.fy, 275.0);
        QCOMPARE(w->workflow().fileName, std::string());
    }

    void helpOpensThePageOfTheLanguage()
    {
        auto w = started();
        QVERIFY(w);
        w->HelpContents();
        QCOMPARE(HelpWindow::instance()->currentPage(), QUrl("qrc:/help/en/contents.html"));
        QVERIFY(HelpWindow::instance()->browser()->toPlainText().contains("partially encased"));
        w->mitGermanClick();
        ModalScript script;
        script.then([](QDialog* d) {
            static_cast<TDialog*>(d)->helpButton()->click();
            QCOMPARE(HelpWindow::instance()->currentPage(), QUrl("qrc:/help/de/rebars.html"));
            QVERIFY(HelpWindow::instance()->isVisible());
            d->reject();
        });
        w->btnarmatClick();
        QVERIFY(script.done());
        HelpWindow::instance()->close();
        w->workflow().projectChanged = false;
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
