// The main window end to end: start with and without settings, disclaimer,
// the result commands with warnings and errors, language switch, close query
// and the settings written at the end.
#include "guitest.h"

#include "calc/method.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextBrowser>

#include "present/texts.h"
#include "shell/accelerators.h"
#include "shell/projectfile.h"
#include "ui/helpwindow.h"
#include "ui/windowplaces.h"

#include <QDir>
#include <QScreen>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;
using qeln::test::TestMain;

using qeln::test::setInput;

class MainWindowTest : public qeln::test::WindowTest {
    Q_OBJECT
    static QString menuTitle(TestMain& w, const char* name) { return w.findChild<QMenu*>(name)->title(); }

private slots:
    // the reason (a missing installed catalogue, say) is told with the fixed message
    void catalogueThatCannotBeOpenedTellsWhyAndEnds()
    {
        ui::MainOptions o = qeln::test::testOptions(ini());
        o.openCatalogue = [](std::string& error) -> std::unique_ptr<ProfileCatalogue> {
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
        QVERIFY(!SaveProjectFile(path.toStdString(), saved));

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
        QCOMPARE(w.windowTitle(), QString::fromUtf8("start.qln \u2014 QELN - Column"));   // the name, not the path
        QVERIFY(!w.workflow().projectChanged);
        QVERIFY(w.workflow().resultsStale);
    }

    // refusing the disclaimer ends, and opens no project given on the command line
    void refusingTheDisclaimerEndsAndOpensNoProject()
    {
        ui::MainOptions o = qeln::test::testOptions(ini());
        bool read = false;
        o.loadProject = [&read](const std::string&, ColumnInput&) {
            read = true;
            return std::optional<Failure>(Failure(FailureCode::cannotOpen, 514, "any.qln", ""));
        };
        o.startProject = (dir.path() + "/any.qln").toStdString();
        TestMain w(o);
        w.show();
        ModalScript script;
        script.press("Cancelbutton");
        QVERIFY(!w.FormActivate());
        QVERIFY(w.disclaimerRefused());
        QVERIFY(!read);
    }

    void settingsFileSelectsGermanAndSeedsTheProject()
    {
        writeSettingsFile(ini(), {Language::German, "Stahlbau AG", "Kurt"});
        auto w = started();
        QCOMPARE(menuTitle(*w, "mitfile"), QString("&Datei"));
        QCOMPARE(w->windowTitle(), QString::fromUtf8("Unbenannt \u2014 QELN - Stütze"));
        QCOMPARE(w->workflow().input.office, std::string("Stahlbau AG"));
        QCOMPARE(w->workflow().input.author, std::string("Kurt"));
        // the user name changed in the project becomes the next start's default
        setInput(*w, [](ColumnInput& in) { in.author = "Berta"; });
        w.reset();
        const Settings v = readSettingsFile(ini());
        QCOMPARE(v.language, Language::German);
        QCOMPARE(v.user, std::string("Berta"));
        QCOMPARE(v.enterprise, std::string("Stahlbau AG"));
    }

    // The Language menu renames everything and checks the language chosen;
    // Qt's own texts and the project dialog's dates follow it (German dates on
    // an American system).
    void switchingTheLanguageRenamesEverything()
    {
        auto w = started();
        setInput(*w, [](ColumnInput& in) { in.createdOn = 45358.25; });   // 2024-03-07 06:00
        auto follows = [&](const char* checked, const char* cancel) {
            QStringList actions;
            for (const char* n : {"mitEnglish", "mitFrench", "mitGerman"})
                if (w->findChild<QAction*>(n)->isChecked())
                    actions << n;
            QCOMPARE(actions, QStringList{checked});
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString(cancel));
        };
        auto createdOn = [&] {
            QString shown;
            ModalScript script;
            script.then([&](QDialog* d) {
                shown = d->findChild<QLabel*>("lblcreatedate")->text();
                d->reject();
            });
            w->btnprojetClick();
            return shown;
        };
        follows("mitEnglish", "Cancel");
        const QString english = createdOn();
        QVERIFY2(english.startsWith("3/7/24"), qPrintable(english));
        w->mitGermanClick();
        follows("mitGerman", "Abbrechen");
        QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), QString::fromUtf8("&Öffnen"));
        const QString german = createdOn();
        QVERIFY2(german.startsWith("07.03.24"), qPrintable(german));
        QCOMPARE(menuTitle(*w, "mitfile"), QString("&Datei"));
        QVERIFY(w->windowTitle().endsWith(QString::fromUtf8("QELN - Stütze")));
        QCOMPARE(w->findChild<QPushButton*>("btnresult")->text().remove('&'), QString("Ergebnisse"));
        QCOMPARE(w->armatDialog->nedd->Messagestring().contains("%g"), true);
        QVERIFY(!w->armatDialog->nedd->Messagestring().startsWith("Value"));
        // every control of the table got a text other than the missing-text mark
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            QVERIFY2(!b->text().contains("***"), qPrintable(b->objectName()));
        // the print method choice is refilled in the language and keeps what was chosen
        QCOMPARE(w->printMethod->rdgprint->itemIndex(), 1);   // condensed until another is chosen
        w->printMethod->rdgprint->setItemIndex(0);
        w->mitFrenchClick();
        follows("mitFrench", "Annuler");
        QCOMPARE(w->printMethod->rdgprint->itemIndex(), 0);
        QCOMPARE(w->printMethod->rdgprint->items().size(), 2);
        w->mitEnglishClick();
        follows("mitEnglish", "Cancel");
        QCOMPARE(menuTitle(*w, "mitfile"), QString("&File"));
    }

    void resultsShowWarningsFirstRunOnceAndErrorsExplainThemselves()
    {
        auto w = started();
        // unrealistic concrete: a warning only under ENV 1994 (EN 1994-1-1 stops at C60/75)
        setInput(*w, [](ColumnInput& in) {
            useDesignCode(in, DesignCode::ENV1994);
            in.fck = 85;
        });
        ModalScript script;
        QString errorsText, warningsText;
        script.on<frmwarn>([&](frmwarn* warn) {
            errorsText = warn->memerr->toPlainText();
            warningsText = warn->memwarn->toPlainText();
            warn->accept();
        });
        w->btnresultClick();
        QVERIFY(script.done());
        QCOMPARE(script.seen, (QStringList{"frmwarn"}));
        QVERIFY(w->resultWindow->isVisible());   // not modal: it stays beside the main window
        QCOMPARE(errorsText, QString());
        QVERIFY(warningsText.contains("concrete"));
        QVERIFY(w->resultWindow->memwarn->toPlainText().contains("concrete"));
        QCOMPARE(w->resultWindow->stgresults->item(3, 0)->text(), QString("Normal temp."));
        QVERIFY(w->resultWindow->stgresults->item(3, 1)->text().toDouble() > 1000);
        QVERIFY(w->detailWindow->memres->toPlainText().contains("Warnings"));
        QVERIFY(!w->grafikWindow->imgdyngraf->picture().empty());
        QCOMPARE(w->runs, 1);
        // second press: no new run, no warnings window
        ModalScript again;
        w->btnresultClick();
        QVERIFY(again.seen.isEmpty());
        QCOMPARE(w->runs, 1);
        // details and graphic show their windows without running either
        w->btndetailClick();
        w->btngrafikClick();
        QVERIFY(w->detailWindow->isVisible() && w->grafikWindow->isVisible());
        QVERIFY(again.seen.isEmpty());
        QCOMPARE(w->runs, 1);

        // an input changes: the open windows show no results of the old input, and Calculate runs anew
        setInput(*w, [](ColumnInput& in) { in.fck = 30; });
        for (TResultWindow* r : {static_cast<TResultWindow*>(w->resultWindow), static_cast<TResultWindow*>(w->detailWindow),
                                 static_cast<TResultWindow*>(w->grafikWindow)}) {
            QVERIFY(r->isVisible());
            QVERIFY(r->stale());
            QVERIFY(r->btncalculate->isVisibleTo(r));
        }
        QVERIFY(w->resultWindow->stgresults->item(3, 1)->text().isEmpty());
        QVERIFY(w->detailWindow->memres->toPlainText().isEmpty());
        QVERIFY(w->grafikWindow->imgdyngraf->picture().empty());
        w->resultWindow->btncalculate->click();
        QCOMPARE(w->runs, 2);
        QVERIFY(!w->resultWindow->stale() && !w->detailWindow->stale() && !w->grafikWindow->stale());
        QVERIFY(w->resultWindow->stgresults->item(3, 1)->text().toDouble() > 1000);
        for (QWidget* r : {static_cast<QWidget*>(w->resultWindow), static_cast<QWidget*>(w->detailWindow),
                           static_cast<QWidget*>(w->grafikWindow)})
            r->close();

        // a calculation error: a message, then the errors box (resizable) that explains it, and no results
        setInput(*w, [](ColumnInput& in) {
            useDesignCode(in, DesignCode::EN1994);   // the code of a new project
            in.fy = 0;
        });
        ModalScript failing;
        QString errors;
        bool resizable = false;
        failing.answer(QMessageBox::Ok).on<frmwarn>([&](frmwarn* warn) {
            errors = warn->memerr->toPlainText();
            resizable = warn->minimumSize() != warn->maximumSize();
            warn->accept();
        });
        w->btnresultClick();
        QVERIFY(failing.done());
        QVERIFY2(errors.startsWith(T(219)), qPrintable(errors));
        QVERIFY2(errors.contains("Cause: a division by zero"), qPrintable(errors));
        QVERIFY(resizable);
        QVERIFY(w->workflow().resultsStale);
    }

    // A clean run shows no warnings window; the results table copies a range with
    // its row and column headings, as a spreadsheet pastes it.
    void cleanRunShowsNoWarningsAndResultsCopyWithTheirHeadings()
    {
        auto w = started();
        ModalScript script;
        w->btngrafikClick();
        QVERIFY(script.seen.isEmpty());
        QVERIFY(w->grafikWindow->isVisible());
        w->grafikWindow->close();
        const QString listing = w->detailWindow->memres->toPlainText();
        QVERIFY(listing.contains("Input values:"));
        QVERIFY(!listing.contains("Warnings\n"));
        QCOMPARE(w->detailWindow->memres->font().styleHint(), QFont::Monospace);

        w->btnresultClick();
        QTableWidget* t = w->resultWindow->stgresults;
        t->clearSelection();
        for (int r : {3, 4})
            for (int c : {1, 2})
                t->selectionModel()->select(t->model()->index(r, c), QItemSelectionModel::Select);
        t->findChild<QAction*>("actcopy")->trigger();
        const QString range = QApplication::clipboard()->text();
        t->findChild<QAction*>("actcopytable")->trigger();
        const QString all = QApplication::clipboard()->text();
        w->resultWindow->close();
        QVERIFY(script.seen.isEmpty());
        const QStringList lines = range.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);   // the two heading rows, then the rows chosen
        for (const QString& l : lines)
            QCOMPARE(l.count('\t'), 2);   // the row heading, then the two columns
        QCOMPARE(lines[2].split('\t').value(0), QString("Normal temp."));
        QVERIFY(lines[2].split('\t').value(1).toDouble() > 1000);
        QCOMPARE(all.split('\n', Qt::SkipEmptyParts).size(), 8);
        QCOMPARE(w->resultWindow->memwarn->toPlainText(), QString("none"));
    }

    // a changed project: New and closing the window ask first, Cancel keeps the
    // project (New leaves it changed, so closing asks again after it)
    void newAndCloseAskBeforeLosingChanges()
    {
        auto w = started();
        setInput(*w, [](ColumnInput& in) { in.d = 25; });
        ModalScript script;
        script.answer(QMessageBox::Cancel).answer(QMessageBox::Cancel).answer(QMessageBox::Ok).answer(QMessageBox::No);
        w->FileNew();
        QCOMPARE(w->workflow().input.d, 25.0);
        QVERIFY(!w->close());
        w->FileNew();
        QCOMPARE(w->workflow().input.d, 20.0);
        QVERIFY(w->close());
        QVERIFY(script.done());
        QCOMPARE(script.texts.value(0), QString("Unsaved data will be lost! Continue?"));
        QCOMPARE(script.texts.value(1), QString::fromUtf8("The project \u201cUntitled\u201d will be closed. "
                                                          "It has changes that are not saved.\n\nSave Data?"));
    }

    // an input dialog's Cancel leaves the project unchanged, its OK takes what
    // was chosen or typed and marks the project changed
    void inputDialogOkTakesAndMarksChangedCancelDoesNot()
    {
        auto w = started();
        ModalScript script;
        script.press("CancelBtn");
        w->btnflambClick();
        QVERIFY(!w->workflow().projectChanged);
        ModalScript section;
        section.on<frmprofil>([](frmprofil* p) {
            QCOMPARE(p->cmbfam->currentText(), QString("HE 320 A"));
            QCOMPARE(p->DBText6->text(), QString("HE 320 A"));
            p->cmbfam->setEditText("he 300 b");
            p->okButton()->click();
        });
        w->btnprofilClick();
        QCOMPARE(w->workflow().input.profileName, std::string("HE 300 B"));
        QCOMPARE(w->workflow().input.tf, 19.0);
        QVERIFY(w->workflow().projectChanged);
        ModalScript ok;
        ok.on<frmflamb>([](frmflamb* f) {
            // shown and filled before the user types (a loaded machine may be slower than the script)
            (void)QTest::qWaitForWindowExposed(f);   // the value typed is checked below
            qeln::test::typeOver(f->nedfweak, "2.1");
            f->okButton()->click();
        });
        w->btnflambClick();
        QVERIFY(ok.done());
        QCOMPARE(w->workflow().input.lWeakFire, 2.1);
    }

    void saveWithoutNameAsksForOneAndReopens()
    {
        auto w = started();
        const QString path = dir.path() + "/col1.qln";
        setInput(*w, [](ColumnInput& in) {
            in.d = 25;
            in.n1 = 8;
            in.projectName = "Tower";
        });
        w->savePaths = {path.toStdString()};
        w->FileSave();
        QVERIFY(!w->workflow().projectChanged);
        QVERIFY(QFile::exists(path));
        // a second save writes the same file without asking (the backup it
        // keeps: ProjectFileSave.KeepsThePreviousFileUnderTheBakName)
        setInput(*w, [](ColumnInput& in) { in.d = 28; });
        w->FileSave();
        // New, then open the file again: the saved values come back
        w->FileNew();
        w->openPaths = {path.toStdString()};
        w->FileOpen();
        QCOMPARE(w->workflow().input.d, 28.0);
        QCOMPARE(w->workflow().input.n1, 8);
        QCOMPARE(w->workflow().input.projectName, std::string("Tower"));
        QCOMPARE(w->workflow().fileName, path.toStdString());
    }

    // A project that cannot be read, from File > Open or given on the command
    // line (there in the language of the settings), gives the usual message
    // naming the file and leaves the project as it was.
    void projectThatCannotBeReadGivesTheUsualMessageAndKeepsTheProject()
    {
        const QString bad = dir.path() + "/old.qln", missing = dir.path() + "/missing.qln";
        QVERIFY(qeln::test::writeFile(bad, "960101\r\nsomething\r\n"));
        {
            auto w = started();
            setInput(*w, [](ColumnInput& in) { in.fy = 275; });
            w->workflow().projectChanged = false;
            w->openPaths = {bad.toStdString(), missing.toStdString()};
            ModalScript script;
            script.answer(QMessageBox::Ok).answer(QMessageBox::Ok);
            w->FileOpen();
            w->FileOpen();
            QCOMPARE(script.texts.size(), 2);
            QCOMPARE(script.texts.value(0), "File has wrong Versionnumber\n" + bad + "\n\nline 1: version 960101 instead of 971003");
            QVERIFY(script.texts.value(1).startsWith("Error during File Opening\n" + missing + "\n\n"));
            QCOMPARE(w->workflow().input.fy, 275.0);
            QCOMPARE(w->workflow().fileName, std::string());
        }
        for (const QString& path : {bad, missing}) {
            QFile::remove(ini());   // the disclaimer not yet accepted
            writeSettingsFile(ini(), {Language::French, "", ""});
            ui::MainOptions o = qeln::test::testOptions(ini());
            o.startProject = path.toStdString();
            TestMain w(o);
            w.show();
            ModalScript script;
            script.press("OkButton").answer(QMessageBox::Ok);
            QVERIFY(w.FormActivate());
            QCOMPARE(script.seen.size(), 2);
            // French, as the settings say
            // the message names the file
            QVERIFY(script.texts.value(0).startsWith(QString::fromStdString(LoadText(path == bad ? 515 : 514, Language::French, nullptr)) + "\n" + path));
            QCOMPARE(w.workflow().fileName, std::string());
            QCOMPARE(w.workflow().input.profileName, std::string("HE 320 A"));
            QVERIFY(!w.workflow().projectChanged);
        }
    }

    void captionIsTitleAndFileWithAMarkWhileUnsaved()
    {
        auto w = started();
        // Qt appends a set application display name to every caption
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        QCOMPARE(w->windowTitle(), QString::fromUtf8("Untitled \u2014 QELN - Column"));
        QCOMPARE(w->armatDialog->windowTitle(), QString("Rebars"));
        setInput(*w, [](ColumnInput& in) { in.d = 25; });
        QCOMPARE(w->windowTitle(), QString::fromUtf8("Untitled * \u2014 QELN - Column"));
        const QString path = dir.path() + "/marked.qln";
        w->savePaths = {path.toStdString()};
        w->FileSave();
        QCOMPARE(w->windowTitle(), QString::fromUtf8("marked.qln \u2014 QELN - Column"));
        w->mitFrenchClick();
        QCOMPARE(w->windowTitle(), QString::fromUtf8("marked.qln \u2014 Colonne - QELN"));
        setInput(*w, [](ColumnInput& in) { in.d = 20; });
        QCOMPARE(w->windowTitle(), QString::fromUtf8("marked.qln * \u2014 Colonne - QELN"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        // message boxes carry the title of the language
        ModalScript script;
        QString boxTitle;
        script.then([&](QDialog* d) {
            boxTitle = d->windowTitle();
            d->reject();
        });
        w->FileNew();
        QCOMPARE(boxTitle, QString("Colonne - QELN"));
        w->mitEnglishClick();
    }

    // In every language each button has a letter of its own beside the menu
    // bar's, and each item of the File and Calculation menus one in its menu.
    void acceleratorsOfTheirOwnInEveryLanguage()
    {
        auto w = started();
        const int ids[] = {112, 128, 144, 160, 272, 176, 192, 1210, 208, 224, 260};
        const char* names[] = {"btnprojet", "btnprofil", "btnarmat",  "btnmater",  "btngammamat", "btnflamb",
                               "btnexcent", "btnloads",  "btnresult", "btndetail", "btngrafik"};
        for (Language language : kLanguages) {
            setCurrentLanguage(language);
            w->SetLanguage();
            std::string used;
            for (const char* m : {"mitfile", "mitoptions", "mithelp"})
                used += acceleratorOf(menuTitle(*w, m).toStdString());
            for (int i = 0; i < 11; ++i) {
                const QString text = w->findChild<QPushButton*>(names[i])->text();
                const char a = acceleratorOf(text.toStdString());
                QVERIFY2(a != 0, qPrintable(text));
                QVERIFY2(used.find(a) == std::string::npos, qPrintable(text));
                used += a;
                QCOMPARE(QString(text).remove('&'), T(ids[i]));   // the catalogue text itself is untouched
            }
            QVERIFY(w->findChild<QAction*>("mitexportpdf")->text().count('&') == 1);
            for (const char* menu : {"mitfile", "mitcalculation"}) {
                QStringList keys;
                for (QAction* a : w->findChild<QMenu*>(menu)->actions()) {
                    if (a->isSeparator())
                        continue;
                    const qsizetype at = a->text().indexOf('&');
                    QVERIFY2(at >= 0 && at + 1 < a->text().size(), qPrintable(a->text()));   // every item has a letter
                    keys << a->text().mid(at + 1, 1).toUpper();
                }
                QVERIFY2(keys.removeDuplicates() == 0, qPrintable(QString(menu) + ": " + keys.join(' ')));
            }
        }
        setCurrentLanguage(Language::English);
        w->SetLanguage();
    }

    // Without settings the program starts in English with an empty user, and
    // the disclaimer is accepted once per user and version, not at every start.
    void startWithoutSettingsIsEnglishAndAsksForTheDisclaimerOncePerVersion()
    {
        {
            TestMain w(qeln::test::testOptions(ini()));
            w.show();
            ModalScript script;
            QString accept, refuse, disclaimer;
            script.on<AboutBox>([&](AboutBox* box) {
                accept = box->OkButton->text();
                refuse = box->Cancelbutton->isVisible() ? box->Cancelbutton->text() : QString();
                disclaimer = box->memdisclaimer->toPlainText();
                box->OkButton->click();
            });
            QVERIFY(w.FormActivate());
            QCOMPARE(script.seen, QStringList{"AboutBox"});
            QCOMPARE(accept, QString("Accept"));
            QCOMPARE(refuse, QString("Refuse"));
            QVERIFY(disclaimer.startsWith("The program calculates the design resistances"));
            QCOMPARE(menuTitle(w, "mitfile"), QString("&File"));
            QCOMPARE(w.workflow().input.office, std::string());
            QCOMPARE(w.workflow().input.author, std::string());
            QCOMPARE(w.workflow().input.h, 310.0);   // HE 320 A from the catalogue
        }
        QCOMPARE(readSettingsFile(ini()).disclaimerAccepted, LoadText(5, Language::English, nullptr));
        TestMain w(qeln::test::testOptions(ini()));
        w.show();
        ModalScript script;
        script.press("OkButton");
        QVERIFY(w.FormActivate());
        QVERIFY(script.seen.isEmpty());
        // another version asks again
        Settings v = readSettingsFile(ini());
        v.disclaimerAccepted = "Version 3.04";
        writeSettingsFile(ini(), v);
        TestMain again(qeln::test::testOptions(ini()));
        again.show();
        QVERIFY(again.FormActivate());
        QCOMPARE(script.seen, QStringList{"AboutBox"});
    }

    // No window is larger than the free area of the screen (the offscreen
    // screen is 800 x 600, smaller than the windows' own sizes), title bar
    // included, and every window opens where the user left it at the last start.
    void everyWindowFitsTheScreenAndKeepsItsPlaceBetweenStarts()
    {
        int width = 0, mainWidth = 0, mainHeight = 0;
        {
            auto w = started();
            const QRect area = availableArea(w.get());
            QVERIFY2(area.width() < 1180, "the test needs a screen narrower than the schedule window");
            auto inside = [&](QWidget* win) {
                const QRect frame = win->frameGeometry();
                QVERIFY2(area.contains(frame), qPrintable(QString("%1 at %2,%3 %4x%5, at least %6x%7")
                                                              .arg(win->objectName()).arg(frame.x()).arg(frame.y())
                                                              .arg(frame.width()).arg(frame.height())
                                                              .arg(win->minimumSizeHint().width())
                                                              .arg(win->minimumSizeHint().height())));
            };
            inside(w.get());
            w->btnscheduleClick();
            inside(w->scheduleWindow);
            w->btndiagramsClick();
            QVERIFY(w->diagramsWindow->isVisible());
            inside(w->diagramsWindow);
            w->HelpContents();
            inside(HelpWindow::instance());
            HelpWindow::instance()->close();
            ModalScript script;
            script.then([&](QDialog* d) {
                inside(d);
                d->reject();
            });
            w->btnfindsectionClick();
            QVERIFY(script.done());
            w->btnresultClick();
            inside(w->resultWindow);
            w->btndetailClick();
            inside(w->detailWindow);
            w->resultWindow->close();
            w->detailWindow->close();
            w->diagramsWindow->close();

            width = std::max(620, w->scheduleWindow->minimumSizeHint().width());
            w->scheduleWindow->setGeometry(30, 60, width, 410);
            w->scheduleWindow->close();
            mainWidth = std::max(500, w->minimumSizeHint().width());
            mainHeight = std::max(420, w->minimumSizeHint().height());
            w->setGeometry(100, 90, mainWidth, mainHeight);
        }
        const Settings v = readSettingsFile(ini());
        QCOMPARE(v.windows.count("frmschedule"), std::size_t{1});
        QCOMPARE(v.windows.at("frmschedule"), (WindowPlace{30, 60, width, 410, false}));
        QCOMPARE(v.windows.at("frmmain"), (WindowPlace{100, 90, mainWidth, mainHeight, false}));
        auto w = started();
        QCOMPARE(w->geometry(), QRect(100, 90, mainWidth, mainHeight));
        w->btnscheduleClick();
        QCOMPARE(w->scheduleWindow->geometry(), QRect(30, 60, width, 410));
        w->scheduleWindow->close();
    }

    // A profile the catalogue does not know: the message says which profile the project takes
    // instead, and the project names that one (its values are that one's), so Section shows it.
    void unknownProfileSaysWhatIsTakenInstead()
    {
        auto w = started();
        const std::string before = w->workflow().input.profileName;
        ModalScript script;
        script.answer(QMessageBox::Ok);
        QVERIFY(w->workflow().openProject(QELN_SOURCE_DIR "/tests/data/unknown-profile.qln"));
        QVERIFY(script.done());
        QVERIFY2(script.texts.value(0).startsWith("Profile HE 999 X not found in database") &&
                     script.texts.value(0).contains(QString::fromStdString(before)),
                 qPrintable(script.texts.value(0)));
        QCOMPARE(w->workflow().input.profileName, before);
        ModalScript section;
        section.reject();
        w->btnprofilClick();
        QCOMPARE(section.seen, QStringList{"frmprofil"});   // no second message
    }

    void recentProjectsAreListedReopenedAndKept()
    {
        const QString a = dir.path() + "/recent-a.qln", b = dir.path() + "/R&D.qln";
        {
            auto w = started();
            QVERIFY(!w->findChild<QMenu*>("mitrecent")->isEnabled());
            setInput(*w, [](ColumnInput& in) { in.projectName = std::string("A"); });   // not = "A": a false -Wrestrict of GCC 12 at -O3
            w->savePaths = {a.toStdString()};
            w->FileSaveAs();
            setInput(*w, [](ColumnInput& in) { in.projectName = std::string("B"); });
            w->savePaths = {b.toStdString()};
            w->FileSaveAs();
            w->updateRecentMenu();
            auto* first = w->findChild<QAction*>("mitrecent1");
            QVERIFY(first);
            QCOMPARE(first->text(), "&1 " + QString(b).replace("&", "&&"));
            w->findChild<QAction*>("mitrecent2")->trigger();
            QCOMPARE(w->workflow().input.projectName, std::string("A"));
            QCOMPARE(w->workflow().fileName, a.toStdString());
        }
        // the list survives in the settings file, most recent first
        QCOMPARE(readSettingsFile(ini()).recentFiles, (std::vector<std::string>{a.toStdString(), b.toStdString()}));
        auto w = started();
        QVERIFY(w->findChild<QMenu*>("mitrecent")->isEnabled());
        QCOMPARE(w->workflow().recent.paths().front(), a.toStdString());
    }

    // Help > Contents and a dialog's Help show the page of the language; the help
    // window opens on the screen the first time, then where the user left it.
    void helpOpensThePageOfTheLanguageOnTheScreenAndKeepsItsPlace()
    {
        auto w = started();
        delete HelpWindow::instance();   // a help window never shown yet
        w->mitGermanClick();
        QRect first, second;
        ModalScript script;
        script.on<TDialog>([&](TDialog* d) {
            d->helpButton()->click();
            HelpWindow* h = HelpWindow::instance();
            QCOMPARE(h->currentPage(), QUrl("qrc:/help/de/rebars.html"));
            QVERIFY(h->isVisible());
            first = h->frameGeometry();
            h->move(40, 70);   // the user moves it
            h->close();
            d->reject();
        });
        script.on<TDialog>([&](TDialog* d) {
            d->helpButton()->click();
            second = HelpWindow::instance()->frameGeometry();
            d->reject();
        });
        w->btnarmatClick();
        w->btnflambClick();
        QVERIFY(script.done());
        const QRect avail = w->screen()->availableGeometry();
        QVERIFY2(avail.contains(first), qPrintable(QString("%1,%2 %3x%4").arg(first.x()).arg(first.y()).arg(first.width()).arg(first.height())));
        QVERIFY(first.top() > avail.top());
        QCOMPARE(second.topLeft(), QPoint(40, 70));
        QCOMPARE(HelpWindow::instance()->parentWidget(), static_cast<QWidget*>(w->flambDialog));
        w->mitEnglishClick();
        w->HelpContents();
        QCOMPARE(HelpWindow::instance()->currentPage(), QUrl("qrc:/help/en/contents.html"));
        QVERIFY(HelpWindow::instance()->browser()->toPlainText().contains("partially encased"));
        HelpWindow::instance()->close();
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
