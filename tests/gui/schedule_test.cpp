// "Schedule": the window's table from a CSV file, edits and pastes reaching
// the project's schedule, Run all off the GUI thread with Cancel leaving the
// last results as they were, failing rows marked in words, and a double
// click opening the row as the current project (asked first when unsaved).
#include "guitest.h"
#include "ui/schedulewindow.h"
#include "ui/searchlimitsdialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;

namespace {

// Three positions; B2 carries far more than its section can.
const char* const kCsv = "name;search;profileName;nEd;lWeakCold\r\n"
                         "A1;;HE 300 B;1500;3,5\r\n"
                         "B2;;HE 200 A;90000;3\r\n"
                         "C3;1;;2000;\r\n";

// The column of a heading as the window shows it (on one line), or of a field by its CSV name.
int column(const QTableWidget* t, const QString& heading)
{
    for (int c = 0; c < t->columnCount(); ++c)
        if (const QTableWidgetItem* h = t->horizontalHeaderItem(c))
            if (QString(h->text()).replace('\n', ' ') == heading || h->toolTip().endsWith("CSV: " + heading))
                return c;
    return -1;
}

bool ran(frmschedule& w)
{
    QSignalSpy spy(&w, &frmschedule::runEnded);
    w.runAll();
    return w.running() && spy.wait(30000) && !w.running();
}

void checkOnly(frmsearchlimits& d, const QString& family)
{
    for (QCheckBox* box : d.fields.families)
        box->setChecked(box->text() == family);
}

} // namespace

class ScheduleWindowTest : public qeln::test::WindowTest {
    Q_OBJECT

    QString csvFile()
    {
        const QString path = dir.path() + "/rows.csv";
        qeln::test::writeFile(path, kCsv);
        return path;
    }

private slots:
    void importEditPasteReachTheProject()
    {
        auto w = started();
        w->btnscheduleClick();
        frmschedule& s = *w->scheduleWindow;
        QVERIFY(s.isVisible());
        QVERIFY(s.importCsv(csvFile()));
        // decimal comma and semicolons read; the project holds the table and is changed
        QCOMPARE(w->workflow().schedule.rows.size(), std::size_t{3});
        QCOMPARE(std::string(w->workflow().schedule.cell(0, "lWeakCold")), std::string("3.5"));
        QVERIFY(w->workflow().projectChanged);
        QCOMPARE(s.grdschedule->rowCount(), 3);
        QCOMPARE(s.grdschedule->item(1, 0)->text(), QString("B2"));
        QCOMPARE(s.grdschedule->item(2, 1)->checkState(), Qt::Checked);

        // an edited cell
        const int ned = column(s.grdschedule, "nEd");
        QVERIFY(ned > 0);
        s.grdschedule->item(0, ned)->setText(" 1600 ");
        QCOMPARE(std::string(w->workflow().schedule.cell(0, "nEd")), std::string("1600"));
        // a decimal comma is taken; a value that is none is kept as typed, in red, and named
        const int length = column(s.grdschedule, "lWeakCold");
        s.grdschedule->item(1, length)->setText("4,25");
        QCOMPARE(std::string(w->workflow().schedule.cell(1, "lWeakCold")), std::string("4.25"));
        QCOMPARE(s.grdschedule->item(1, length)->text(), QString("4.25"));
        QVERIFY(s.lblstatus->text().isEmpty());
        s.grdschedule->item(1, length)->setText("4 m");
        QCOMPARE(std::string(w->workflow().schedule.cell(1, "lWeakCold")), std::string("4 m"));
        QCOMPARE(s.lblstatus->text(), QString("B2, Buckling length z-z, normal temperature [m]: Unreadable number format (4 m)"));
        // out of the dialog's range: kept, named with the range
        s.grdschedule->item(1, length)->setText("7000");
        QCOMPARE(s.lblstatus->text(), QString("B2, Buckling length z-z, normal temperature [m]: Value must be between 0 and 20 !"));
        QCOMPARE(s.grdschedule->item(1, length)->foreground().color(), QColor(0xa0, 0, 0));
        s.grdschedule->item(1, length)->setText("3");

        // a block from a spreadsheet at C3's name: two lines, the second a new row
        s.grdschedule->setCurrentCell(2, 0);
        s.pasteText("C3x\tHE 400 B\nD4\tHE 320 A\t2500\n");
        const Schedule& g = w->workflow().schedule;
        QCOMPARE(g.rows.size(), std::size_t{4});
        QCOMPARE(g.rows[2].name, std::string("C3x"));
        QCOMPARE(std::string(g.cell(2, "profileName")), std::string("HE 400 B"));
        QCOMPARE(std::string(g.cell(2, "nEd")), std::string("2000"));   // beyond the block: kept
        QCOMPARE(g.rows[3].name, std::string("D4"));
        QCOMPARE(std::string(g.cell(3, "nEd")), std::string("2500"));
        QCOMPARE(s.grdschedule->rowCount(), 4);
        // a number a spreadsheet grouped ("2.600": 2.6 or 2600?) refuses the paste, and says why
        s.pasteText("C3x\tHE 400 B\t2.600\n");
        QCOMPARE(std::string(g.cell(2, "nEd")), std::string("2000"));
        QVERIFY2(s.lblstatus->text().contains("2600"), qPrintable(s.lblstatus->text()));

        // Ctrl+V in the table pastes the clipboard at the current cell (here: a row just added)
        s.addRow();
        QCOMPARE(s.grdschedule->currentRow(), 4);
        QApplication::clipboard()->setText("E5\tHE 300 A\n");
        s.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s));
        s.grdschedule->setFocus();
        QTest::keySequence(s.grdschedule, QKeySequence::Paste);
        QCOMPARE(g.rows.size(), std::size_t{5});
        QCOMPARE(g.rows[4].name, std::string("E5"));
        QCOMPARE(std::string(g.cell(4, "profileName")), std::string("HE 300 A"));

        // a column by field name; an unknown one is refused with its reason
        QVERIFY(s.addColumnNamed("fy"));
        QVERIFY(column(s.grdschedule, "fy") > 0);
        QVERIFY(!s.addColumnNamed("weight"));
        QVERIFY(s.lblstatus->text().contains("weight"));
        QCOMPARE(w->workflow().schedule.columns.back(), std::string("fy"));

        // a CSV that cannot be read changes nothing and says where
        const QString bad = dir.path() + "/bad.csv";
        QVERIFY(qeln::test::writeFile(bad, "name,nEd\nA,12x\n"));
        const Schedule before = w->workflow().schedule;
        ModalScript script;
        script.answer(QMessageBox::Ok).answer(QMessageBox::Ok);
        QVERIFY(!s.importCsv(bad));
        QVERIFY(script.done());
        QVERIFY2(script.texts.value(0).contains("5 rows"), qPrintable(script.texts.value(0)));   // asked first
        QVERIFY2(script.texts.value(1).contains("line 2"), qPrintable(script.texts.value(1)));
        QCOMPARE(w->workflow().schedule, before);
        ModalScript keep;
        keep.answer(QMessageBox::Cancel);
        QVERIFY(!s.importCsv(csvFile()));   // Cancel keeps the table
        QCOMPARE(w->workflow().schedule, before);

        // saved with the project; a new project has none, nor has the open window
        const std::string path = (dir.path() + "/with-schedule.qln").toStdString();
        w->savePaths.push_back(path);
        w->FileSaveAs();
        QVERIFY(!w->workflow().projectChanged);
        w->FileNew();
        QVERIFY(w->workflow().schedule.rows.empty());
        QCOMPARE(s.grdschedule->rowCount(), 0);
        QVERIFY(w->workflow().openProject(path));
        QCOMPARE(w->workflow().schedule, before);
        QCOMPARE(s.grdschedule->rowCount(), 5);   // the open window follows the project
        QVERIFY(!w->workflow().projectChanged);
        s.close();
    }

    // Run all shows the results, a cancelled run keeps them, a range and the
    // table copy with them, and an edit makes them stale.
    void runShowsResultsCancelKeepsThemAndCopiesCarryThem()
    {
        frmschedule s;
        s.fill(ColumnInput{}, qeln::test::sampleSearchProfiles(), Schedule{});
        QVERIFY(s.importCsv(csvFile()));
        QVERIFY(ran(s));
        QVERIFY(s.outcome());
        const ScheduleOutcome o = *s.outcome();
        QCOMPARE(o.rows.size(), std::size_t{3});
        QCOMPARE(s.prgrun->value(), s.prgrun->maximum());
        const int result = column(s.grdschedule, "Result");
        const int section = column(s.grdschedule, "Section");
        QVERIFY(result > 0 && section > 0);
        // failing rows say so in words, not in colour alone
        QCOMPARE(s.grdschedule->item(0, result)->text(), QString("passes"));
        QVERIFY(s.grdschedule->item(1, result)->text().startsWith("FAILS"));
        QVERIFY(s.grdschedule->item(1, result)->background() != s.grdschedule->item(0, result)->background());
        // the searched row shows the chosen section, marked
        QVERIFY(o.rows[2].searched);
        QVERIFY(s.grdschedule->item(2, section)->text().endsWith("*"));
        QVERIFY(s.lblsummary->text().startsWith("Rows: 3, passing: 2, failing: 1"));
        // the workbook: libxlsxwriter is loaded for it
        const QString book = dir.path() + "/results.xlsx";
        QVERIFY(s.exportXlsx(book));
        QFile written(book);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.read(2), QByteArray("PK"));
        QVERIFY(written.size() > 4000);

        // a run cancelled at once: the table keeps the results of the complete run
        const QString failing = s.grdschedule->item(1, result)->text();
        QVERIFY(s.chksearchall->isEnabled());
        s.chksearchall->setChecked(true);   // every row searched: a longer run
        s.runAll();
        QVERIFY(s.running());
        QVERIFY(!s.btnrun->isEnabled());
        QVERIFY(s.btncancel->isEnabled());
        s.cancelRun();
        QVERIFY(!s.running());
        QCoreApplication::processEvents();   // whatever the thread posted is dropped
        QVERIFY(s.outcome());
        QCOMPARE(s.outcome()->rows.size(), o.rows.size());
        QCOMPARE(s.outcome()->summary.passing, o.summary.passing);
        QCOMPARE(s.grdschedule->item(1, result)->text(), failing);
        QVERIFY(s.lblstatus->text().contains("cancelled"));

        // Ctrl+C on a range and "Copy table": tab-separated text with the
        // headings in words, the results included, that pastes into a
        // spreadsheet and back into the table
        s.show();
        QVERIFY(QTest::qWaitForWindowActive(&s));
        const int name = column(s.grdschedule, "Name"), ned = column(s.grdschedule, "nEd");
        const int nrd = column(s.grdschedule, "N.Rd kN");
        QVERIFY(name >= 0 && ned > 0 && nrd > 0);
        s.grdschedule->clearSelection();
        for (int r : {0, 1})
            for (int c : {name, ned, nrd})
                s.grdschedule->selectionModel()->select(s.grdschedule->model()->index(r, c), QItemSelectionModel::Select);
        s.grdschedule->setFocus();
        QApplication::clipboard()->clear();
        QTest::keySequence(s.grdschedule, QKeySequence::Copy);
        const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QString("Name\tN.Ed, normal temperature [kN]\tN.Rd kN"));
        const QStringList a1 = lines[1].split('\t');
        QCOMPARE(a1.value(0), QString("A1"));
        QCOMPARE(a1.value(1), QString("1500"));
        QCOMPARE(a1.value(2), s.grdschedule->item(0, nrd)->text());
        QVERIFY(a1.value(2).toDouble() > 1500);
        // the whole table: every column, results too, one line per row
        s.actcopytable->trigger();
        const QStringList all = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(all.size(), 4);
        QCOMPARE(all[0].split('\t').size(), s.grdschedule->columnCount());
        QVERIFY(all[2].contains("FAILS"));

        // an edit makes the results stale: none shown beside the changed table
        const Schedule copied = s.grid();
        s.grdschedule->item(0, 0)->setText("A1b");
        QVERIFY(!s.outcome());
        QCOMPARE(s.grdschedule->item(0, result)->text(), QString());
        QVERIFY(s.lblsummary->text().isEmpty());

        // the table pasted back with its headings: the inputs land in their fields, the results are passed over
        s.grdschedule->setCurrentCell(0, 0);
        s.pasteText(QApplication::clipboard()->text());
        QCOMPARE(s.grid().rows, copied.rows);
        QCOMPARE(s.grid().columns, copied.columns);
    }

    void doubleClickEditsAndOpeningARowIsACommand()
    {
        auto w = started();
        w->btnscheduleClick();
        frmschedule& s = *w->scheduleWindow;
        QVERIFY(s.importCsv(csvFile()));
        QVERIFY(w->workflow().projectChanged);
        QVERIFY(QTest::qWaitForWindowExposed(&s));

        // a double click edits the cell, as in a spreadsheet; nothing is asked
        const int ned = column(s.grdschedule, "nEd");
        const QRect cell = s.grdschedule->visualRect(s.grdschedule->model()->index(0, ned));
        QTest::mouseClick(s.grdschedule->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(s.grdschedule->viewport(), Qt::LeftButton, {}, cell.center());
        QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) &&
                    s.grdschedule->isAncestorOf(QApplication::focusWidget()));   // the cell's editor
        QVERIFY(!QApplication::activeModalWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(w->workflow().schedule.rows.size(), std::size_t{3});

        // the command asks, naming the row and the unsaved schedule; Cancel keeps everything
        s.grdschedule->setCurrentCell(0, 0);
        QVERIFY(s.btnopenrow->isEnabled());
        ModalScript cancel;
        cancel.answer(QMessageBox::Cancel);
        s.btnopenrow->click();
        QVERIFY(cancel.done());
        QVERIFY2(cancel.texts.value(0).contains("\u201cA1\u201d") && cancel.texts.value(0).contains("rows: 3"),
                 qPrintable(cancel.texts.value(0)));
        QCOMPARE(w->workflow().schedule.rows.size(), std::size_t{3});

        // Discard: the row becomes the project, without a file name and without a schedule
        ModalScript discard;
        discard.answer(QMessageBox::Discard);
        s.actopenrow->trigger();
        QVERIFY(discard.done());
        const ColumnInput& in = w->workflow().input;
        QCOMPARE(in.profileName, std::string("HE 300 B"));
        QCOMPARE(in.h, 300.0);
        QCOMPARE(in.nEd, 1500.0);
        QCOMPARE(in.lWeakCold, 3.5);
        QVERIFY(w->workflow().fileName.empty());
        QVERIFY(w->workflow().schedule.rows.empty());
        QCOMPARE(s.grdschedule->rowCount(), 0);   // the window shows the new project's (empty) schedule
        QVERIFY(w->workflow().resultsStale);
    }

    // "Search limits": the dialog shows the schedule's limits and returns the
    // ones typed (a list it cannot read keeps it open and says why); OK stores
    // them in the project's schedule, marks the project changed, names them
    // beside the button, and Run all searches within them.
    void dialogFillsItselfAndRefusesWhatItCannotRead()
    {
        SearchConstraints c;
        c.families = {"HE A", "HE B"};
        c.maxH = 400;
        c.diameters = {16, 20};
        frmsearchlimits d;
        d.fill(c);
        QVERIFY(d.findChild<QCheckBox*>("chkHEB")->isChecked());
        QVERIFY(!d.findChild<QCheckBox*>("chkIPE")->isChecked());
        QCOMPARE(d.fields.maxh->Value(), 400.0);
        QCOMPARE(d.fields.maxb->Value(), 0.0);
        QCOMPARE(d.fields.diameters->text(), QString("16, 20"));
        QCOMPARE(d.fields.layouts->text(), QString("4+0, 8+0, 4+4, 8+4"));

        // no family: OK keeps the dialog open with the reason, the limits as they were
        d.show();
        checkOnly(d, "none");
        d.okButton()->click();
        QVERIFY(d.isVisible());
        QCOMPARE(d.lblstatus->text(), QString("Choose at least one profile family."));
        checkOnly(d, "HE M");
        d.fields.layouts->setText("4+0, 8");
        d.okButton()->click();
        QVERIFY(d.isVisible());
        QVERIFY(d.lblstatus->text().startsWith("Rebar layouts:"));
        QCOMPARE(d.limits(), c);

        d.fields.layouts->setText("8+4");
        d.fields.maxh->setValue(0);
        d.okButton()->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        SearchConstraints expected;
        expected.families = {"HE M"};
        expected.diameters = {16, 20};
        expected.layouts = {{8, 4}};
        QCOMPARE(d.limits(), expected);
        QCOMPARE(searchLimitsSummary(expected), QString("HE M; d 16, 20; 8+4"));
        QCOMPARE(searchLimitsSummary(SearchConstraints{}), QString());
    }

    void limitsReachTheProjectAndTheRun()
    {
        auto w = started();
        w->btnscheduleClick();
        frmschedule& s = *w->scheduleWindow;
        QVERIFY(s.importCsv(csvFile()));
        w->workflow().projectChanged = false;
        QCOMPARE(s.lbllimits->text(), QString("default limits"));

        ModalScript script;
        script.on<frmsearchlimits>([](frmsearchlimits* dialog) {
            checkOnly(*dialog, "HE B");
            // 25 mm: bars up to 20 mm lie 20 mm clear in the second layer,
            // below max(d, 16 + 5, 20) of the default aggregate
            dialog->fields.diameters->setText("25");
            dialog->fields.layouts->setText("8+4");
            dialog->okButton()->click();
        });
        s.btnlimits->click();
        QVERIFY(script.done());

        SearchConstraints expected;
        expected.families = {"HE B"};
        expected.diameters = {25};
        expected.layouts = {{8, 4}};
        QCOMPARE(w->workflow().schedule.constraints, expected);
        QVERIFY(w->workflow().projectChanged);
        QCOMPARE(s.lbllimits->text(), QString("HE B; d 25; 8+4"));

        QVERIFY(ran(s));
        QVERIFY(s.outcome());
        const ScheduleRowResult& r = s.outcome()->rows.at(2);   // C3, the searched row
        QVERIFY(r.searched);
        QVERIFY(r.searchFound);
        QCOMPARE(profileFamily(r.profileName), std::string("HE B"));
        QCOMPARE(r.d, 25.0);
        QCOMPARE(r.n1, 8);
        QCOMPARE(r.n2, 4);

        // Cancel changes nothing
        ModalScript cancel;
        cancel.reject();
        s.btnlimits->click();
        QVERIFY(cancel.done());
        QCOMPARE(w->workflow().schedule.constraints, expected);
        QVERIFY(s.outcome());
    }
};

QTEST_MAIN(ScheduleWindowTest)
#include "schedule_test.moc"
