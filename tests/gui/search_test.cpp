// "Find section...": the search dialog off the GUI thread (progress, its own
// cancel, the sortable table, the problems it names) and the main window's
// button: Apply takes the chosen profile and rebars, Cancel changes nothing.
#include "guitest.h"
#include "ui/searchdialog.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;

namespace {

ColumnInput loaded()
{
    ColumnInput in;
    in.nEd = 3000;
    in.nFiEd = 1800;
    in.fireClass = FireClass::R90;
    return in;
}

} // namespace

class SearchTest : public qeln::test::WindowTest {
    Q_OBJECT
    static bool searched(frmsearch& d)
    {
        QSignalSpy spy(&d, &frmsearch::searchFinished);
        d.startSearch();
        if (!d.running())
            return false;
        return spy.wait(20000) && !d.running();
    }

private slots:
    // the candidates that pass, in the search order, sortable and copied with their headings
    void listsThePassingCandidatesInTheSearchOrder()
    {
        frmsearch d;
        d.fill(loaded(), qeln::test::sampleSearchProfiles());
        QVERIFY(!d.okButton()->isEnabled());   // nothing to apply yet
        QVERIFY(searched(d));
        QVERIFY(d.outcome());
        const SearchOutcome& o = *d.outcome();
        QCOMPARE(o.evaluated, std::size_t{13 * 7 * 4});
        QVERIFY(o.passing > 0);
        QCOMPARE(d.grdcandidates->rowCount(), static_cast<int>(o.passing));
        QCOMPARE(d.prgsearch->value(), d.prgsearch->maximum());
        QCOMPARE(d.lblcount->text(), QString("%1 / %2").arg(o.passing).arg(o.evaluated));
        // the lightest first, selected, and Apply possible
        QCOMPARE(d.grdcandidates->item(0, 0)->text(), QString::fromStdString(o.candidates[0].profileName));
        QVERIFY(d.okButton()->isEnabled());
        QVERIFY(d.chosen());
        QCOMPARE(d.chosen()->profileName, o.candidates[0].profileName);

        // sorting by utilisation: the chosen row is the candidate of that row
        d.grdcandidates->sortByColumn(4, Qt::AscendingOrder);
        double last = -1;
        for (int r = 0; r < d.grdcandidates->rowCount(); ++r) {
            const double u = d.grdcandidates->item(r, 4)->text().toDouble();
            QVERIFY(u >= last);
            last = u;
        }
        d.grdcandidates->selectRow(0);
        const auto k = d.chosen();
        QVERIFY(k);
        QCOMPARE(QString::fromStdString(k->profileName), d.grdcandidates->item(0, 0)->text());
        QCOMPARE(QString("%1").arg(*k->check.utilisation, 0, 'f', 3), d.grdcandidates->item(0, 4)->text());

        // Ctrl+C on the chosen candidate and Copy table: tab-separated text with the headings
        QVERIFY(d.grdcandidates->rowCount() > 1);
        d.grdcandidates->selectRow(1);
        QApplication::clipboard()->clear();
        d.grdcandidates->findChild<QAction*>("actcopy")->trigger();
        QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].split('\t').size(), 9);   // with the cost per metre
        QVERIFY(lines[0].startsWith("Profile\tRebars\tSteel kg/m\tN.Rd kN"));
        QCOMPARE(lines[1].split('\t').value(0), d.grdcandidates->item(1, 0)->text());
        d.grdcandidates->findChild<QAction*>("actcopytable")->trigger();
        lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), d.grdcandidates->rowCount() + 1);
    }

    // Enter in a limit field searches; the limits come back at the next start (through the settings)
    void enterSearchesAndTheLimitsAreKept()
    {
        frmsearch d;
        d.fill(loaded(), qeln::test::sampleSearchProfiles());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.eddiameters->setFocus();
        d.eddiameters->setText("20, 25");
        QSignalSpy spy(&d, &frmsearch::searchFinished);
        QTest::keyClick(d.eddiameters, Qt::Key_Return);
        QVERIFY(d.isVisible());   // not applied
        QVERIFY(spy.count() == 1 || spy.wait(20000));
        QVERIFY(d.outcome());
        d.chkfamilies.front()->setChecked(false);
        d.nedmaxh->setValue(450);
        d.nedtarget->setValue(0.95);
        d.cmbrank->setCurrentIndex(1);
        d.nedpricerebars->setValue(3);
        const auto kept = d.limitsText();
        d.reject();

        frmsearch next;
        next.setLimitsText(kept);
        QCOMPARE(next.eddiameters->text(), QString("20, 25"));
        QCOMPARE(next.nedmaxh->Value(), 450.0);
        // the target, the ranking and its prices are kept too, and the search takes them
        QCOMPARE(next.nedtarget->Value(), 0.95);
        QCOMPARE(next.cmbrank->currentIndex(), 1);
        QCOMPARE(next.nedpricerebars->Value(), 3.0);
        next.fill(loaded(), qeln::test::sampleSearchProfiles());
        QString problem;
        const auto c = next.constraints(problem);
        QVERIFY(c);
        QCOMPARE(c->maxUtilisation, 0.95);
        QVERIFY(c->rank == SearchRank::cost);
        QCOMPARE(c->prices.rebars, 3.0);
        QVERIFY(!next.chkfamilies.front()->isChecked());
        QVERIFY(next.chkfamilies.back()->isChecked());
        next.setLimitsText({{"diameters", "12, x"}, {"maxb", "-5"}, {"families", "none of them"}});   // unreadable: left as they are
        QCOMPARE(next.eddiameters->text(), QString("20, 25"));
        QCOMPARE(next.nedmaxb->Value(), 0.0);
        QVERIFY(next.chkfamilies.back()->isChecked());
    }

    // What keeps the search from starting is named: the loads it lacks, or a
    // list the limit fields cannot read (no family, the layouts: the search
    // limits dialog's test of the same fields).
    void namesWhatKeepsTheSearchFromStarting()
    {
        const struct {
            bool withLoads;
            const char *diameters, *message;
        } cases[] = {{false, "12", "The search needs a design load"}, {true, "12, x", "Rebar diameters:"}};
        for (const auto& c : cases) {
            frmsearch d;
            d.fill(c.withLoads ? loaded() : ColumnInput{}, qeln::test::sampleSearchProfiles());
            d.eddiameters->setText(c.diameters);
            d.startSearch();
            QVERIFY(!d.running());
            QVERIFY2(d.lblstatus->text().startsWith(c.message), qPrintable(d.lblstatus->text()));
            QCOMPARE(d.grdcandidates->rowCount(), 0);
        }
    }

    void itsCancelStopsARunningSearchAndLimitsThatLeaveNothingAreNamed()
    {
        frmsearch d;
        d.fill(loaded(), qeln::test::sampleSearchProfiles(400));   // long enough to stop it
        d.startSearch();
        QVERIFY(d.running());
        QVERIFY(d.btnstop->isEnabled());
        QVERIFY(!d.btnsearch->isEnabled());
        d.btnstop->click();
        QVERIFY(!d.running());
        QVERIFY(!d.outcome());
        QCOMPARE(d.lblstatus->text(), QString("The search was cancelled."));
        QCOMPARE(d.grdcandidates->rowCount(), 0);
        QVERIFY(d.btnsearch->isEnabled());
        // nothing late arrives from the stopped search
        QTest::qWait(50);
        QCOMPARE(d.grdcandidates->rowCount(), 0);

        // a family and a size that leave nothing: said so, nothing to apply
        for (QCheckBox* c : d.chkfamilies)
            c->setChecked(c->text() == "IPE");
        d.nedmaxb->setValue(100);
        QVERIFY(searched(d));
        QCOMPARE(d.grdcandidates->rowCount(), 0);
        QCOMPARE(d.lblstatus->text(), QString("No candidate carries the loads within these limits."));
        QVERIFY(!d.okButton()->isEnabled());
    }

    // The main window's button, beside Section: Cancel changes nothing, Apply
    // takes the chosen profile and rebars and keeps the loads.
    void buttonBesideTheSectionButtonCancelAndApply()
    {
        auto w = started();
        auto* find = w->findChild<QPushButton*>("btnfindsection");
        auto* section = w->findChild<QPushButton*>("btnprofil");
        QVERIFY(find && section);
        QVERIFY2(find->text().remove(QChar('&')).startsWith("Find section..."), qPrintable(find->text()));
        QCOMPARE(find->y(), section->y());
        QVERIFY(find->x() > section->x());

        w->workflow().input = loaded();
        w->workflow().resultsStale = false;
        w->workflow().projectChanged = false;
        const ColumnInput before = w->workflow().input;
        std::optional<SearchCandidate> picked;
        ModalScript script;
        script.on<frmsearch>([](frmsearch* d) {
            QVERIFY(searched(*d));
            QVERIFY(d->chosen());
            d->cancelButton()->click();
        });
        script.on<frmsearch>([&picked](frmsearch* d) {
            QVERIFY(searched(*d));
            QVERIFY(d->grdcandidates->rowCount() > 2);
            d->grdcandidates->selectRow(2);
            picked = d->chosen();
            d->okButton()->click();
        });
        w->btnfindsectionClick();
        QVERIFY(w->workflow().input == before);
        QVERIFY(!w->workflow().projectChanged);
        QVERIFY(!w->workflow().resultsStale);
        w->btnfindsectionClick();
        QVERIFY(script.done());
        QVERIFY(picked);
        const ColumnInput& in = w->workflow().input;
        QCOMPARE(in.profileName, picked->profileName);
        QCOMPARE(in.h, picked->section.h);
        QCOMPARE(in.tf, picked->section.tf);
        QCOMPARE(in.d, picked->d);
        QCOMPARE(in.n1, picked->n1);
        QCOMPARE(in.n2, picked->n2);
        QCOMPARE(in.nEd, 3000.0);   // the loads stay
        QVERIFY(w->workflow().projectChanged);
        QVERIFY(w->workflow().resultsStale);
    }
};

QTEST_MAIN(SearchTest)
#include "search_test.moc"
