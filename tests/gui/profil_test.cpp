// The profile browser: family filter, list, close check and the editing panel.
#include "guitest.h"
#include "ui/catalogueadapter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedLayout>
#include <QTableWidget>
#include <QToolButton>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;

class ProfilTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MemoryProfileTable> table;
    std::unique_ptr<frmprofil> dlg;

    QStringList listed() const
    {
        QStringList out;
        for (int i = 0; i < dlg->DBLookupList1->count(); ++i)
            out << dlg->DBLookupList1->item(i)->text();
        return out;
    }
    QString current() const { return QString::fromStdString(table->visibleRow(table->currentIndex()).profil); }

private slots:
    void initTestCase() { qeln::test::useEnglishLocale(); }
    void init()
    {
        table = std::make_unique<MemoryProfileTable>(qeln::test::sampleProfiles());
        dlg = std::make_unique<frmprofil>();
        dlg->setTable(table.get());
        dlg->setLookup([this](const std::string& name) {
            if (findProfile(*table, name))
                return true;
            showMessage(dlg.get(), "Profile " + QString::fromStdString(name) + " not found in database");
            return false;
        });
    }
    void cleanup()
    {
        dlg.reset();
        table.reset();
    }

    void starShowsAllInDisplayOrder()
    {
        dlg->cmbfam->setEditText("*");
        QCOMPARE(listed().size(), int(qeln::test::sampleProfiles().size()));
        QCOMPARE(listed().first(), QString("IPE 300"));
        QCOMPARE(listed().last(), QString("W 360 X 410 X 196"));
    }

    void lowerCaseIsUpperCasedAndFilters()
    {
        dlg->cmbfam->setEditText("ipe");
        QCOMPARE(dlg->cmbfam->currentText(), QString("IPE"));
        QCOMPARE(listed(), (QStringList{"IPE 300", "IPE 400"}));
    }

    void shortTextFiltersWithoutMovingTheRow()
    {
        QVERIFY(findProfile(*table, "HE 320 A"));
        dlg->cmbfam->setEditText("HE");
        QCOMPARE(current(), QString("HE 320 A"));
        QVERIFY(!listed().contains("IPE 300"));
    }

    void longerTextGoesToExactMatchElseLastVisible()
    {
        dlg->cmbfam->setEditText("HE 300 B");
        QCOMPARE(current(), QString("HE 300 B"));
        dlg->cmbfam->setEditText("HE 3");
        QCOMPARE(current(), QString("HE 300 M"));
        QCOMPARE(dlg->DBText6->text(), QString("HE 300 M"));
        QCOMPARE(dlg->DBTextt->text(), QString("39"));
    }

    void clickingAListEntryNarrowsTheList()
    {
        dlg->cmbfam->setEditText("HE");
        const int row = listed().indexOf("HE 300 B");
        dlg->DBLookupList1Click(row);
        QCOMPARE(dlg->cmbfam->currentText(), QString("HE 300 B"));
        QCOMPARE(listed(), QStringList{"HE 300 B"});
        QCOMPARE(current(), QString("HE 300 B"));
        QVERIFY(dlg->DBCheckBox1->isChecked());
    }

    void okWithFullNameTakesItEvenWhenFilteredElsewhere()
    {
        ModalScript script;
        QTimer::singleShot(0, dlg.get(), [this] {
            dlg->cmbfam->setEditText("IPE");
            dlg->cmbfam->setEditText("HE 320 A");
            dlg->okButton()->click();
        });
        QCOMPARE(dlg->exec(), int(QDialog::Accepted));
        QCOMPARE(current(), QString("HE 320 A"));
        QVERIFY(script.seen.isEmpty());
    }

    void okWithPartialNameReportsAndStaysOpen()
    {
        ModalScript script;
        script.answer(QMessageBox::Ok);
        QTimer::singleShot(0, dlg.get(), [this] {
            dlg->cmbfam->setEditText("HE 3");
            dlg->okButton()->click();
            QVERIFY(dlg->isVisible());
            QCOMPARE(listed().first(), QString("HE 300 A"));   // the filter is applied again
            dlg->cancelButton()->click();
        });
        QCOMPARE(dlg->exec(), int(QDialog::Rejected));
        QCOMPARE(script.texts, QStringList{"Profile HE 3 not found in database"});
    }

    void theCatalogueFileWorksTheSameWay()
    {
        QTemporaryDir tmp;
        QVERIFY(QFile::copy(QELN_BIN_DIR "/PROFKVL2.DBF", tmp.path() + "/PROFKVL2.DBF"));
        QFile::setPermissions(tmp.path() + "/PROFKVL2.DBF", QFile::ReadOwner | QFile::WriteOwner);
        std::string error;
        auto real = CatalogueTable::open(tmp.path().toStdString(), error);
        QVERIFY2(real, error.c_str());
        QVERIFY(QFile::exists(tmp.path() + "/profkvl2.ntx"));
        frmprofil d;
        d.setTable(real.get());
        d.cmbfam->setEditText("*");
        const int all = d.DBLookupList1->count();
        QVERIFY(all > 100);
        QVERIFY(findProfile(*real, "HE 320 A"));
        d.cmbfam->setEditText("he");
        QCOMPARE(d.cmbfam->currentText(), QString("HE"));
        QVERIFY(d.DBLookupList1->count() < all);
        QCOMPARE(d.DBText6->text(), QString("HE 320 A"));   // two letters do not move the row
        d.cmbfam->setEditText("HE 300 B");
        QCOMPARE(d.DBText6->text(), QString("HE 300 B"));
        QCOMPARE(d.DBTexth->text(), QString("300"));
        // delete and pack through the editing panel
        d.showEditingPanel();
        const int before = d.DBGrid1->rowCount();
        d.btndeleteClick();
        QCOMPARE(d.DBGrid1->rowCount(), before - 1);
        d.btnok2Click();
    }

    void shiftAltClickOpensTheEditingPanel()
    {
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get(), 30000));
        dlg->cmbfam->setEditText("IPE");
        QTest::mouseClick(dlg->Panel1, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QVERIFY(!dlg->editingPanelVisible());
        QTest::mouseClick(dlg->Panel1, Qt::LeftButton, Qt::ShiftModifier | Qt::AltModifier, QPoint(2, 2));
        QVERIFY(dlg->editingPanelVisible());
        QVERIFY(!dlg->okButton()->isEnabled());
        QVERIFY(!dlg->cancelButton()->isEnabled());
        QCOMPARE(dlg->DBGrid1->rowCount(), int(qeln::test::sampleProfiles().size()));   // the filter is cleared

        // edit a cell, delete a row
        dlg->DBGrid1->setCurrentCell(0, 0);
        dlg->DBGrid1->item(0, 1)->setText("301");
        QCOMPARE(table->visibleRow(0).h, 301.0);
        dlg->DBGrid1->item(0, 1)->setText("301,5");   // a decimal comma, never a thousands separator
        QCOMPARE(table->visibleRow(0).h, 301.5);
        QCOMPARE(dlg->DBGrid1->item(0, 1)->text(), QString("301.5"));
        {
            const double b = table->visibleRow(0).b;
            const QString shown = dlg->DBGrid1->item(0, 2)->text();
            ModalScript script;
            script.answer(QMessageBox::Ok);
            dlg->DBGrid1->item(0, 2)->setText("1,000.5");   // no number: reported, nothing changes
            QTRY_VERIFY(script.done());
            QCOMPARE(script.texts, QStringList{"Unreadable number format"});
            QCOMPARE(table->visibleRow(0).b, b);
            QTRY_COMPARE(dlg->DBGrid1->item(0, 2)->text(), shown);
        }
        dlg->btndeleteClick();
        QCOMPARE(int(table->rows().size()), int(qeln::test::sampleProfiles().size()) - 1);
        QCOMPARE(dlg->DBGrid1->rowCount(), int(qeln::test::sampleProfiles().size()) - 1);

        dlg->btnok2Click();
        QVERIFY(!dlg->editingPanelVisible());
        QVERIFY(dlg->okButton()->isEnabled());
        dlg->hide();
    }

    // the panel has no catalogue texts of its own, yet speaks the program's language
    void editingPanelInTheProgramLanguage()
    {
        struct Case {
            int base;
            const char *note, *hint, *del;
        };
        const Case cases[] = {
            {20000, "Profilnamen nur mit Großbuchstaben", "erster Datensatz", "Löschen"},
            {10000, "Saisir uniquement des majuscules", "premier enregistrement", "Supprimer"},
            {0, "Do only enter capitals", "first record", "Delete"},
        };
        for (const Case& c : cases) {
            setLanguageBase(c.base);
            dlg->showEditingPanel();
            QVERIFY(dlg->Panel3->findChild<QLabel*>("lblnote")->text().startsWith(QString::fromUtf8(c.note)));
            QCOMPARE(dlg->Panel3->findChild<QToolButton*>("navfirst")->toolTip(), QString::fromUtf8(c.hint));
            QCOMPARE(dlg->Panel3->findChild<QPushButton*>("btndelete")->text(), QString::fromUtf8(c.del));
            dlg->btnok2Click();
        }
    }
};

QTEST_MAIN(ProfilTest)
#include "profil_test.moc"
