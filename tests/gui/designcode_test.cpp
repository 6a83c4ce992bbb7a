// The design code in the desktop program: chosen in the safety factors
// dialog with the factors it recommends, the inputs only the EN method reads
// enabled for EN projects, the code of new projects under Options (kept in
// qeln.INI), and the code named beside the results and in the results window.
#include "guitest.h"

#include "calc/method.h"
#include "present/texts.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QMenu>
#include <QRadioButton>

using namespace qeln;
using namespace qeln::ui;

class DesignCodeTest : public qeln::test::WindowTest {
    Q_OBJECT
    // the main window's own label (the results window is a child of it too)
    static QString codeLabel(QMainWindow* w) { return w->centralWidget()->findChild<QLabel*>("lblcode")->text(); }

private slots:
    void safetyDialogGivesTheChosenCodeWithItsRecommendedFactors()
    {
        frmgamat d;
        ColumnInput in;   // ENV 1994, gamma.a 1.1
        d.fill(in);
        QCOMPARE(d.rdgcode->itemIndex(), 0);
        QCOMPARE(d.findChild<QLabel*>("lbl_g_c_a")->text(), QString("1.1"));

        d.rdgcode->itemButton(1)->click();   // EN 1994
        QCOMPARE(d.chosenCode(), DesignCode::EN1994);
        QCOMPARE(d.nedgamma_cold_steelprofile->Value(), 1.0);
        QCOMPARE(d.findChild<QLabel*>("lbl_g_c_a")->text(), QString("1.0"));
        ColumnInput out = in;
        d.copyTo(out);
        QVERIFY(out.code == DesignCode::EN1994);
        const PartialFactors en = methodOf(DesignCode::EN1994).recommendedFactors();
        QCOMPARE(out.gammaA, en.gammaA);
        QCOMPARE(out.gammaC, en.gammaC);
        QCOMPARE(out.gammaS, en.gammaS);
        QCOMPARE(out.gammaAfi, en.gammaAfi);

        // factors edited after the choice survive (a National Annex)
        d.Nedgamma_cold_concrete->setValue(1.6);
        d.Nedgamma_fire_steelprofile->setValue(1.1);
        d.copyTo(out);
        QVERIFY(out.code == DesignCode::EN1994);
        QCOMPARE(out.gammaC, 1.6);
        QCOMPARE(out.gammaAfi, 1.1);
        QCOMPARE(out.gammaA, 1.0);
        d.rdgcode->itemButton(1)->click();   // the code already chosen: no change
        QCOMPARE(d.Nedgamma_cold_concrete->Value(), 1.6);

        // a project's own factors are shown as they are, not the recommended ones
        out.gammaA = 1.05;
        d.fill(out);
        QCOMPARE(d.rdgcode->itemIndex(), 1);
        QCOMPARE(d.nedgamma_cold_steelprofile->Value(), 1.05);

        // back to ENV 1994: its factors again
        d.rdgcode->itemButton(0)->click();
        d.copyTo(out);
        QVERIFY(out.code == DesignCode::ENV1994);
        QCOMPARE(out.gammaA, 1.1);
        QCOMPARE(out.gammaC, 1.5);
    }

    void creepCoefficientAndEndMomentRatiosOnlyForEnProjects()
    {
        frmmater m;
        frmexcent e;
        ColumnInput env;
        env.phiT = 1.5;
        env.rWeak = 0.5;
        m.fill(env);
        e.fill(env);
        QVERIFY(!m.nedphit->isEnabled());
        QVERIFY(!m.lblphit->isEnabled());
        QVERIFY(!e.nedrweak->isEnabled());
        QVERIFY(!e.nedrstrong->isEnabled());
        QVERIFY(!m.nedphit->toolTip().isEmpty());
        QVERIFY(!e.nedrweak->toolTip().isEmpty());
        QCOMPARE(m.nedphit->Value(), 1.5);   // shown all the same
        ColumnInput out = env;
        m.copyTo(out);
        e.copyTo(out);
        QVERIFY(out == env);

        ColumnInput en = env;
        useDesignCode(en, DesignCode::EN1994);
        m.fill(en);
        e.fill(en);
        QVERIFY(m.nedphit->isEnabled());
        QVERIFY(e.nedrweak->isEnabled());
        QVERIFY(e.nedrstrong->isEnabled());
        m.nedphit->setValue(3.0);
        e.nedrweak->setValue(-0.5);
        e.nedrstrong->setValue(0.25);
        m.copyTo(en);
        e.copyTo(en);
        QCOMPARE(en.phiT, 3.0);
        QCOMPARE(en.rWeak, -0.5);
        QCOMPARE(en.rStrong, 0.25);

        // a value from a file outside the field's range shows without a message box
        en.phiT = 9;
        m.fill(en);
        QCOMPARE(m.nedphit->Value(), 9.0);
    }

    void newProjectsTakeTheOptionKeptInTheSettingsFileAndResultsNameIt()
    {
        QVERIFY(qeln::test::writeFile(ini(), "[design]\ncode=ENV1994\n"));
        {
            auto w = started();
            // the start project is a new project too
            QVERIFY(w->workflow().input.code == DesignCode::ENV1994);
            QCOMPARE(w->workflow().input.gammaA, 1.1);
            QVERIFY(w->findChild<QAction*>("mitnewcodeenv")->isChecked());
            QVERIFY(!w->findChild<QAction*>("mitnewcodeen")->isChecked());
            QCOMPARE(codeLabel(w.get()), QString("Design code:\nENV 1994-1-1\nENV 1994-1-2"));
            QCOMPARE(w->findChild<QMenu*>("mitnewcode")->title(), QString("&Design code for new projects"));

            // the option from its menu: File > New of a changed project takes it
            qeln::test::setInput(*w, [](ColumnInput& in) { in.d = 25; });
            w->findChild<QAction*>("mitnewcodeen")->trigger();
            qeln::test::ModalScript script;
            script.answer(QMessageBox::Ok);
            w->FileNew();
            QVERIFY(script.done());
            QVERIFY(w->workflow().input.code == DesignCode::EN1994);
            QCOMPARE(w->workflow().input.gammaA, 1.0);
            QCOMPARE(codeLabel(w.get()), QString("Design code:\nEN 1994-1-1:2004\nEN 1994-1-2:2005"));
            QVERIFY(w->findChild<QAction*>("mitnewcodeen")->isChecked());
        }
        // kept for the next start
        QVERIFY(readSettingsFile(ini()).newProjectCode == DesignCode::EN1994);
        auto w = started();
        QVERIFY(w->workflow().input.code == DesignCode::EN1994);
        w->mitGermanClick();
        QVERIFY(codeLabel(w.get()).startsWith("Bemessungsnorm:"));
        w->mitEnglishClick();

        // the results window names the code
        // (the header of the report: ReportContent.EnProjectNamesItsCodeInTheHeader)
        qeln::test::ModalScript script;
        script.then([](QDialog* d) { d->accept(); });   // warnings of the run, if any
        w->btnresultClick();
        QVERIFY(w->workflow().ensureResults());
        QVERIFY(w->resultWindow->lblcode->isVisibleTo(w->resultWindow));
        QVERIFY(w->resultWindow->lblcode->text().contains("EN 1994-1-1:2004 / EN 1994-1-2:2005"));
    }
};

QTEST_MAIN(DesignCodeTest)
#include "designcode_test.moc"
