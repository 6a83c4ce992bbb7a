// "Search limits" of the Schedule window: the dialog shows the schedule's
// limits and returns the ones typed (a list it cannot read keeps it open and
// says why); OK stores them in the project's schedule, marks the project
// changed, names them beside the button, and Run all searches within them.
#include "guitest.h"
#include "ui/schedulewindow.h"
#include "ui/searchlimitsdialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;

namespace {

const char* const kCsv = "name;search;nEd\r\n"
                         "A1;;1500\r\n"
                         "C3;1;2000\r\n";

void checkOnly(frmsearchlimits& d, const QString& family)
{
    for (QCheckBox* box : d.fields.families)
        box->setChecked(box->text() == family);
}

} // namespace

class SearchLimitsTest : public qeln::test::WindowTest {
    Q_OBJECT

private slots:
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
        const QString path = dir.path() + "/rows.csv";
        QVERIFY(qeln::test::writeFile(path, kCsv));
        QVERIFY(s.importCsv(path));
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

        QSignalSpy spy(&s, &frmschedule::runEnded);
        s.runAll();
        QVERIFY(spy.wait(30000));
        QVERIFY(s.outcome());
        const ScheduleRowResult& r = s.outcome()->rows.at(1);
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

QTEST_MAIN(SearchLimitsTest)
#include "searchlimits_test.moc"
