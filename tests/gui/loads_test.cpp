// The design loads dialog (eta.fi helper, fill and copy back, the hint of a
// fire load above the service load) and the design check in the results
// window, from the eighth input button to the coloured verdicts.
#include "guitest.h"
#include "ui/loadsdialog.h"

#include <QRadioButton>
#include <QTableWidget>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;

class LoadsTest : public qeln::test::WindowTest {
    Q_OBJECT
    static QString cellText(QGroupBox* box, const QString& name)
    {
        auto* l = box->findChild<QLabel*>(name);
        return l ? l->text() : QString("<missing %1>").arg(name);
    }

private slots:
    void etaFiHelperFillsTheFireLoadAndTheHintOfASwappedLoad()
    {
        frmloads d;
        ColumnInput in;
        in.nEd = 3000;
        d.fill(in);
        QCOMPARE(d.nedetafi->Value(), 0.65);   // EN 1994-1-2, 2.4.2
        d.btnetafi->click();
        QCOMPARE(d.nednfied->Value(), 1950.0);
        d.nedetafi->setValue(0.6);
        d.btnetafi->click();
        QCOMPARE(d.nednfied->Value(), 1800.0);
        ColumnInput out;
        d.copyTo(out);
        QCOMPARE(out.nFiEd, 1800.0);
        // the factor stays for the next opening; the loads come from the input
        d.fill(ColumnInput{});
        QCOMPARE(d.nedetafi->Value(), 0.6);
        QCOMPARE(d.nednfied->Value(), 0.0);

        // a fire load above the service load shows the hint
        const struct {
            double nEd, nFiEd;
            bool hint;
        } cases[] = {{1000, 1500, true}, {1000, 1000, false}, {0, 500, false}};   // 0: nothing to compare with
        for (const auto& c : cases) {
            in.nEd = c.nEd;
            in.nFiEd = c.nFiEd;
            d.fill(in);
            QVERIFY2(d.lblswapped->isVisibleTo(&d) == c.hint, qPrintable(QString("%1 / %2").arg(c.nEd).arg(c.nFiEd)));
        }
        // eta.fi above 1 cannot be typed, so the helper never makes the hint appear
        QCOMPARE(d.nedetafi->Max(), 1.0);
    }

    // every fire class and the end moments are shown and copied back
    void fillAndCopyBackEveryClassAndTheEndMoments()
    {
        frmloads d;
        QCOMPARE(d.rdgclass->itemCount(), 5);
        for (const std::optional<FireClass> fc :
             {std::optional<FireClass>{}, std::optional{FireClass::R30}, std::optional{FireClass::R60},
              std::optional{FireClass::R90}, std::optional{FireClass::R120}}) {
            ColumnInput in;
            in.nEd = 2500.5;
            in.nFiEd = 1234.25;
            in.fireClass = fc;
            in.myTop = 120;
            in.myBottom = -60;
            in.mzFiTop = 15.5;
            d.fill(in);
            QCOMPARE(d.rdgclass->itemIndex(), fc ? static_cast<int>(*fc) + 1 : 0);
            QCOMPARE(d.nedmytop->Value(), 120.0);
            QCOMPARE(d.nedmybottom->Value(), -60.0);
            ColumnInput out;
            out.nEd = 1;
            d.copyTo(out);
            QCOMPARE(out.nEd, 2500.5);
            QCOMPARE(out.nFiEd, 1234.25);
            QVERIFY(out.fireClass == fc);
            QCOMPARE(out.myBottom, -60.0);
            QCOMPARE(out.mzFiTop, 15.5);
        }
        d.nedmztop->setValue(-40);
        ColumnInput out;
        d.copyTo(out);
        QCOMPARE(out.myTop, 120.0);
        QCOMPARE(out.mzTop, -40.0);
        QCOMPARE(out.mzBottom, 0.0);
        // the fields refuse negative and absurd values
        QCOMPARE(d.nedned->Min(), 0.0);
        QCOMPARE(d.nedned->Max(), 1.0e6);
        QCOMPARE(d.nednfied->Min(), 0.0);
    }

    void hintFollowsWhatIsTyped()
    {
        frmloads d;
        ColumnInput in;
        in.nEd = 4200;
        d.fill(in);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        auto type = [&](TNumEdit* f, const char* text) {
            f->setFocus();
            QTRY_VERIFY(f->hasFocus());
            f->selectAll();
            QTest::keyClicks(f, text);
            QTest::keyClick(f, Qt::Key_Tab);   // leaves the field: the hint is up to date at once
        };
        type(d.nednfied, "5000");
        QVERIFY(d.lblswapped->isVisibleTo(&d));
        type(d.nednfied, "1000");
        QVERIFY(!d.lblswapped->isVisibleTo(&d));
        type(d.nedned, "900");
        QVERIFY(d.lblswapped->isVisibleTo(&d));
        d.reject();
    }

    void eighthInputButtonEditsTheLoads()
    {
        auto w = started();
        w->workflow().setNewProjectCode(DesignCode::ENV1994);   // the utilisations below are those of ENV 1994
        auto* button = w->findChild<QPushButton*>("btnloads");
        QVERIFY(button);
        QCOMPARE(button->text().remove('&'), QString("Design loads"));   // with its accelerator
        // the eighth button of the input column, right under the eccentricities
        auto* excent = w->findChild<QPushButton*>("btnexcent");
        QVERIFY(button->y() > excent->y());
        QCOMPARE(button->x(), excent->x());

        ModalScript script;
        script.on<frmloads>([](frmloads* dlg) {
            dlg->nedned->setValue(3000);
            dlg->nedetafi->setValue(0.6);
            dlg->btnetafi->click();
            dlg->rdgclass->setItemIndex(3);
            dlg->okButton()->click();
        });
        w->btnloadsClick();
        QVERIFY(script.done());
        const ColumnInput& in = w->workflow().input;
        QCOMPARE(in.nEd, 3000.0);
        QCOMPARE(in.nFiEd, 1800.0);
        QVERIFY(in.fireClass == FireClass::R90);

        // the results window: the check under the table
        w->btnresultClick();
        frmresult* r = w->resultWindow;
        QVERIFY(r->isVisible());
        QVERIFY(r->grpcheck->isVisibleTo(r));
        QCOMPARE(cellText(r->grpcheck, "lblcheckvalue0"), QString("0.593"));
        QCOMPARE(cellText(r->grpcheck, "lblcheckvalue1"), QString("0.981"));
        QCOMPARE(cellText(r->grpcheck, "lblcheckverdict1"), QString("passes"));
        QCOMPARE(cellText(r->grpcheck, "lblcheckvalue2"), QString("R 90"));
        QCOMPARE(cellText(r->grpcheck, "lblcheckvalue3"), QString("R 90, axial weak axis"));   // the governing cell
        QLabel* verdict = r->grpcheck->findChild<QLabel*>("lblcheckverdict4");
        QVERIFY(verdict);
        QCOMPARE(verdict->palette().color(QPalette::WindowText), QColor(0, 0x80, 0));
        QVERIFY(!r->lblfootnote->isVisibleTo(r));
        QVERIFY(w->detailWindow->memres->toPlainText().contains("Design check"));
        r->close();
    }

    void outsideRowsAreGreyedAndAFailureIsRed()
    {
        auto w = started();
        qeln::test::setInput(*w, [](ColumnInput& in) {
            in.h = 290;   // below 300 mm: R 90 and R 120 outside
            in.nEd = 6000;
        });
        ModalScript script;
        script.accept();        // the warnings window (warning 1029)
        w->btnresultClick();
        QVERIFY(script.done());
        frmresult* r = w->resultWindow;
        QCOMPARE(r->stgresults->item(6, 0)->text(), QString("R 90 *"));
        const QColor grey = r->stgresults->item(6, 1)->foreground().color();
        QVERIFY(grey != r->stgresults->item(5, 1)->foreground().color());
        QCOMPARE(r->stgresults->item(7, 2)->foreground().color(), grey);
        QVERIFY(r->lblfootnote->isVisibleTo(r));
        QVERIFY(r->lblfootnote->text().startsWith("* outside the field of application"));
        QCOMPARE(cellText(r->grpcheck, "lblcheckverdict0"), QString("fails"));
        QCOMPARE(r->grpcheck->findChild<QLabel*>("lblcheckverdict0")->palette().color(QPalette::WindowText),
                 QColor(0xc0, 0, 0));
        r->close();
    }
};

QTEST_MAIN(LoadsTest)
#include "loads_test.moc"
