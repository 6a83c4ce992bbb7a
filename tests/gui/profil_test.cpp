// The profile browser over a catalogue table in a folder of its own: family
// filter, list, close check and the editing panel writing the table.
#include "guitest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QStackedLayout>
#include <QTableWidget>
#include <QToolButton>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;

class ProfilTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ProfileCatalogue> cat;
    std::unique_ptr<frmprofil> dlg;
    const int all = int(qeln::test::sampleProfiles().size());

    QStringList listed() const
    {
        QStringList out;
        for (int i = 0; i < dlg->DBLookupList1->count(); ++i)
            out << dlg->DBLookupList1->item(i)->text();
        return out;
    }
    QString current() const { return QString::fromStdString(cat->current()->profileName); }
    const SteelProfile& shown(int i) const { return cat->row(cat->visibleRecords().at(std::size_t(i))); }
    // the table as it is in its file now
    ProfileCatalogue onDisk() const
    {
        QFile f(dir->filePath(kProfileTableFile));
        return ProfileCatalogue::fromTable(
            dbf::Table::fromBytes(f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string()));
    }

private slots:
    void initTestCase() { qeln::test::useEnglishLocale(); }
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        cat = qeln::test::sampleCatalogueIn(dir->path());
        QVERIFY(cat);
        QVERIFY(QFile::exists(dir->filePath(kProfileIndexFile)));
        dlg = std::make_unique<frmprofil>();
        dlg->setCatalogue(cat.get());
        dlg->setLookup([this](const std::string& name) {
            if (findProfile(*cat, name))
                return true;
            showMessage(dlg.get(), "Profile " + QString::fromStdString(name) + " not found in database");
            return false;
        });
    }
    void cleanup()
    {
        dlg.reset();
        cat.reset();
        dir.reset();
    }

    // The family filter: "*" shows all in display order, lower case is upper
    // cased, a short text filters without moving the row, a longer one goes to
    // the exact match or else the last visible row; a click on a list entry
    // narrows the list to it.
    void familyFilterAndList()
    {
        dlg->cmbfam->setEditText("*");
        QCOMPARE(listed().size(), all);
        QCOMPARE(listed().first(), QString("IPE 300"));
        QCOMPARE(listed().last(), QString("W 360 X 410 X 196"));

        dlg->cmbfam->setEditText("ipe");
        QCOMPARE(dlg->cmbfam->currentText(), QString("IPE"));
        QCOMPARE(listed(), (QStringList{"IPE 300", "IPE 400"}));

        QVERIFY(findProfile(*cat, "HE 320 A"));
        dlg->cmbfam->setEditText("HE");
        QCOMPARE(current(), QString("HE 320 A"));
        QVERIFY(!listed().contains("IPE 300"));

        dlg->cmbfam->setEditText("HE 300 B");
        QCOMPARE(current(), QString("HE 300 B"));
        dlg->cmbfam->setEditText("HE 3");
        QCOMPARE(current(), QString("HE 300 M"));
        QCOMPARE(dlg->DBText6->text(), QString("HE 300 M"));
        QCOMPARE(dlg->DBTextt->text(), QString("39"));

        dlg->cmbfam->setEditText("HE");
        const int row = listed().indexOf("HE 300 B");
        dlg->DBLookupList1Click(row);
        QCOMPARE(dlg->cmbfam->currentText(), QString("HE 300 B"));
        QCOMPARE(listed(), QStringList{"HE 300 B"});
        QCOMPARE(current(), QString("HE 300 B"));
        QVERIFY(dlg->DBCheckBox1->isChecked());
    }

    // OK with a partial name reports it and stays open; with a full name it
    // takes that one even when the list was filtered for another family.
    void okTakesOnlyAFullName()
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
        QTimer::singleShot(0, dlg.get(), [this] {
            dlg->cmbfam->setEditText("IPE");
            dlg->cmbfam->setEditText("HE 320 A");
            dlg->okButton()->click();
        });
        QCOMPARE(dlg->exec(), int(QDialog::Accepted));
        QCOMPARE(current(), QString("HE 320 A"));
        QCOMPARE(script.seen.size(), 1);   // no second message
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
        QCOMPARE(dlg->DBGrid1->rowCount(), all);   // the filter is cleared

        // edit a cell (written to the file), delete a row (packed out of it)
        dlg->DBGrid1->setCurrentCell(0, 0);
        dlg->DBGrid1->item(0, 1)->setText("301");
        QCOMPARE(shown(0).h, 301.0);
        dlg->DBGrid1->item(0, 1)->setText("301,5");   // a decimal comma, never a thousands separator
        QCOMPARE(shown(0).h, 301.5);
        QCOMPARE(onDisk().row(0).h, 301.5);
        QCOMPARE(dlg->DBGrid1->item(0, 1)->text(), QString("301.5"));
        {
            const double b = shown(0).b;
            const QString text = dlg->DBGrid1->item(0, 2)->text();
            ModalScript script;
            script.answer(QMessageBox::Ok);
            dlg->DBGrid1->item(0, 2)->setText("1,000.5");   // no number: reported, nothing changes
            QTRY_VERIFY(script.done());
            QCOMPARE(script.texts, QStringList{"Unreadable number format"});
            QCOMPARE(shown(0).b, b);
            QTRY_COMPARE(dlg->DBGrid1->item(0, 2)->text(), text);
        }
        dlg->btndeleteClick();
        QCOMPARE(dlg->DBGrid1->rowCount(), all - 1);
        QCOMPARE(onDisk().recordCount(), all - 1);
        QCOMPARE(dlg->DBGrid1->item(0, 0)->text(), QString("IPE 400"));
        {
            // edits the table refuses are told, not lost in silence
            ModalScript script;
            script.answer(QMessageBox::Ok).answer(QMessageBox::Ok);
            dlg->DBGrid1->item(0, 0)->setText(QString(31, 'X'));   // longer than its field
            QTRY_COMPARE(script.texts.size(), 1);
            QCOMPARE(current(), QString("IPE 400"));
            const dbf::Table other =
                dbf::Table::open(dir->filePath(kProfileTableFile).toStdString(), dbf::OpenMode::shared);
            dlg->btndeleteClick();   // someone else has the table open: it cannot be packed
            QTRY_VERIFY(script.done());
            for (const QString& t : script.texts)
                QVERIFY2(t.startsWith("Error during Writing of File\n\n" + dir->filePath(kProfileTableFile)), qPrintable(t));
            QVERIFY(script.texts[1].contains("exclusively"));
        }

        dlg->btnok2Click();
        QVERIFY(!dlg->editingPanelVisible());
        QVERIFY(dlg->okButton()->isEnabled());
        dlg->hide();
    }

    // the panel has no catalogue texts of its own, yet speaks the program's language
    void editingPanelInTheProgramLanguage()
    {
        struct Case {
            Language language;
            const char *note, *hint, *del;
        };
        const Case cases[] = {
            {Language::German, "Profilnamen nur mit Großbuchstaben", "erster Datensatz", "Löschen"},
            {Language::French, "Saisir uniquement des majuscules", "premier enregistrement", "Supprimer"},
            {Language::English, "Do only enter capitals", "first record", "Delete"},
        };
        for (const Case& c : cases) {
            setCurrentLanguage(c.language);
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
