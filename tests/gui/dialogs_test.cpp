// The input dialogs: filling from the input, copying back on OK only, the
// radio groups with a free value, the close checks and the spin fields.
#include "guitest.h"
#include "ui/dialogs.h"
#include "ui/loadsdialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;

class DialogsTest : public QObject {
    Q_OBJECT

    // Shows the dialog modally while the script answers; returns exec's result.
    // A dialog that never shows, or stays open, is closed with a negative
    // result, so that a slow machine gives a failure and never a hang.
    static int run(QDialog& d, std::function<void()> whileOpen)
    {
        // The dialog under test is modal itself: the script answers only the
        // message boxes it opens.
        d.setProperty("scripted", true);
        QTimer::singleShot(0, &d, [&] {
            if (!QTest::qWaitForWindowExposed(&d, 30000)) {
                d.done(-1);
                return;
            }
            d.activateWindow();
            whileOpen();
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, &d, [] {
            // close every dialog still open, message boxes first
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                    box->done(-2);
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dlg = qobject_cast<QDialog*>(w); dlg && dlg->isVisible())
                    dlg->done(-2);
        });
        watchdog.start(60000);
        const int result = d.exec();
        [&] { QVERIFY2(result >= 0, "the dialog did not show or was left open"); }();
        return result;
    }

private slots:
    void initTestCase() { qeln::test::useEnglishLocale(); }

    // The rebar dialog: a diameter within the tolerance selects its item, another
    // one the free value; a click on an item puts its value into the field; the
    // counts map to their items; the axis distance is rounded half to even.
    void rebarDialogFillsItsItemsAndCopiesBack()
    {
        frmarmat d;
        ColumnInput in;
        in.d = 20.03;
        d.fill(in);
        QCOMPARE(d.rdgd->itemIndex(), 3);
        QVERIFY(!d.nedd->isEnabled());
        in.d = 22;
        in.n1 = 12;
        in.n2 = 4;
        in.uc1 = 42.5;
        d.fill(in);
        QCOMPARE(d.rdgd->itemIndex(), 6);
        QVERIFY(d.nedd->isEnabled());
        QCOMPARE(d.nedd->Value(), 22.0);
        QCOMPARE(d.rdganu->itemIndex(), 2);
        QCOMPARE(d.rdgvarand->itemIndex(), 1);
        QCOMPARE(d.neduc1->text(), QString("42.0"));
        d.rdgd->itemButton(4)->click();
        QCOMPARE(d.nedd->Value(), 25.0);
        QVERIFY(!d.nedd->isEnabled());
        d.rdgd->itemButton(6)->click();
        QVERIFY(d.nedd->isEnabled());
        QCOMPARE(d.nedd->Value(), 25.0);
        ColumnInput out;
        d.copyTo(out);
        QCOMPARE(out.d, 25.0);
        QCOMPARE(out.n1, 12);
        QCOMPARE(out.n2, 4);
        QCOMPARE(out.uc1, 42.0);
    }

    // An axis distance below the minimum: from the project it is told at once
    // and the previous one kept; typed, OK tells it and keeps the dialog open,
    // Cancel leaves without a word and throws the typed number away.
    void axisDistanceOutOfRangeIsToldAndNotTaken()
    {
        frmarmat d;
        ColumnInput in;
        in.uc1 = 60;
        d.fill(in);
        in.uc1 = 30;
        ModalScript script;
        script.answer(QMessageBox::Ok).answer(QMessageBox::Ok);
        d.fill(in);
        QCOMPARE(script.texts.size(), 1);
        ColumnInput out;
        d.copyTo(out);
        QCOMPARE(out.uc1, 60.0);

        d.fill(ColumnInput{});
        const int rc = run(d, [&] {
            qeln::test::typeOver(d.neduc1, "250");
            d.okButton()->click();          // range message, stays open
            QVERIFY(d.isVisible());
            QVERIFY(d.neduc1->hasFocus() || d.focusWidget() == d.neduc1);
            d.cancelButton()->click();      // leaves without a word
        });
        QCOMPARE(rc, int(QDialog::Rejected));
        QVERIFY(script.done());
        // the message names the field and its unit
        for (const QString& t : script.texts)
            QCOMPARE(t, QString("UC1 [mm]:\nValue must be between 40 and 200 !"));
        d.copyTo(out);
        QCOMPARE(out.uc1, ColumnInput{}.uc1);
        QCOMPARE(d.neduc1->text(), QString("60.0"));   // the typed number was thrown away
    }

    // Cancel, Esc, the window's close button and a click on Cancel leave every
    // number dialog with an invalid number typed: no message, nothing copied back.
    // (A valid number typed takes the same way: Cancel does not leave the field.)
    void leavingWithAnInvalidNumberAsksNothing_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<int>("how");
        const char* const dialogs[] = {"loads", "rebars", "materials", "partial factors", "buckling lengths"};
        const char* const ways[] = {"reject", "Esc", "close button", "click on Cancel"};
        for (int d = 0; d < 5; ++d)
            for (int h = 0; h < 4; ++h)
                QTest::newRow(qPrintable(QString("%1, %2").arg(dialogs[d], ways[h]))) << d << h;
    }
    void leavingWithAnInvalidNumberAsksNothing()
    {
        QFETCH(int, dialog);
        QFETCH(int, how);
        ColumnInput in;
        in.fy = 300;   // a free value: its field is enabled
        in.nEd = 1200;
        std::unique_ptr<TDialog> d;
        TNumEdit* field = nullptr;
        QString typed;
        std::function<void(ColumnInput&)> copy;
        auto take = [&]<class D>(D* x, TNumEdit* D::*f, const char* text) {
            x->fill(in);
            field = x->*f, typed = text;
            copy = [x](ColumnInput& o) { x->copyTo(o); };
            d.reset(x);
        };
        switch (dialog) {
        case 0: take(new frmloads, &frmloads::nedned, "99999999"); break;
        case 1: take(new frmarmat, &frmarmat::neduf1, "250"); break;
        case 2: take(new frmmater, &frmmater::nedale, "5000"); break;
        case 3: take(new frmgamat, &frmgamat::Nedgamma_fire_concrete, "9"); break;
        default: take(new frmflamb, &frmflamb::nedsweak, "99"); break;
        }
        QVERIFY(field->isEnabled());
        const QString shown = field->text();
        ModalScript script;
        script.answer(QMessageBox::Ok).answer(QMessageBox::Ok);   // answers what should never come
        const int rc = run(*d, [&] {
            qeln::test::typeOver(field, typed);
            switch (how) {
            case 0: d->reject(); break;
            case 1: QTest::keyClick(field, Qt::Key_Escape); break;
            case 2: d->close(); break;
            default: QTest::mouseClick(d->cancelButton(), Qt::LeftButton); break;
            }
            if (d->isVisible())
                d->done(-3);   // still open: the failure is told below
        });
        QVERIFY2(script.seen.isEmpty(), qPrintable(script.seen.join(" | ")));
        QCOMPARE(rc, int(QDialog::Rejected));
        ColumnInput out = in;
        copy(out);
        QVERIFY(out == in);
        QVERIFY(!field->isEditing());
        QCOMPARE(field->text(), shown);   // the typed number is thrown away
    }

    // The materials dialog: a grade within its tolerance selects its item; the
    // value copied back is the one shown; the aggregate size is typed and
    // returned, and one from a file outside the field's range is kept as it is.
    void materialsDialogTakesTheShownValues()
    {
        frmmater d;
        ColumnInput in;
        in.fy = 355.4;
        d.fill(in);
        QCOMPARE(d.rdgale->itemIndex(), 2);
        in.fy = 355.6;
        d.fill(in);
        QCOMPARE(d.rdgale->itemIndex(), 5);
        in.fsk = 501;
        d.fill(in);
        QCOMPARE(d.rdgaarl->itemIndex(), 1);   // tolerance 1.0
        QCOMPARE(d.neddg->Value(), 16.0);
        QVERIFY(d.neddg->isEnabled());   // for both codes
        QVERIFY(!d.neddg->toolTip().isEmpty());
        const int rc = run(d, [&] {
            qeln::test::typeOver(d.nedale, "235,55");   // a decimal comma reads as the point
            qeln::test::typeOver(d.neddg, "32");
            d.okButton()->click();
        });
        QCOMPARE(rc, int(QDialog::Accepted));
        QCOMPARE(d.nedale->text(), QString("235.6"));
        ColumnInput out;
        d.copyTo(out);
        QCOMPARE(out.fy, 235.6);
        QCOMPARE(out.dg, 32.0);
        // the largest value shows no thousands separator, which would read as a decimal comma
        in.fck = 1000;
        in.dg = 100;
        d.fill(in);
        QCOMPARE(d.nedrmc->text(), QString("1000.0"));
        d.copyTo(out);
        QCOMPARE(out.fck, 1000.0);
        QCOMPARE(out.dg, 100.0);
    }

    // The buckling lengths: a typed one out of range is told and can be
    // corrected; the lengths are proposed from the member.
    void bucklingLengthRangeAndProposal()
    {
        frmflamb d;
        d.fill(ColumnInput{});
        QCOMPARE(d.nedfweak->text(), QString("1.500"));
        ModalScript script;
        script.answer(QMessageBox::Ok);
        run(d, [&] {
            qeln::test::typeOver(d.nedsweak, "21");
            d.okButton()->click();
            QVERIFY(d.isVisible());
            d.nedsweak->selectAll();
            QTest::keyClicks(d.nedsweak, "4.5");
            d.okButton()->click();
        });
        QVERIFY(script.done());
        QCOMPARE(script.texts.value(0), QString("Buckling length for weak axis [m]:\nValue must be between 0 and 20 !"));
        ColumnInput out;
        d.copyTo(out);
        QCOMPARE(out.lWeakCold, 4.5);

        // proposed from the member
        ColumnInput in;
        d.fill(in);
        // no member length: nothing to propose
        QVERIFY(!d.btnpropose->isEnabled());
        d.nedlength->setValue(3.6);
        d.updateProposal();
        QVERIFY(d.btnpropose->isEnabled());
        d.applyProposal();
        QCOMPARE(d.nedsweak->Value(), 3.6);
        QCOMPARE(d.nedsstrong->Value(), 3.6);
        QCOMPARE(d.nedfweak->Value(), 1.8);
        d.rbtop->setChecked(true);
        d.applyProposal();
        QCOMPARE(d.nedfstrong->Value(), 0.7 * 3.6);
        // sway: the fire lengths stay as they are, and the dialog says why
        d.nedfweak->setValue(2.9);
        d.rbsway->setChecked(true);
        d.applyProposal();
        QCOMPARE(d.nedfweak->Value(), 2.9);
        QVERIFY(!d.rbtop->isEnabled());
        QVERIFY(d.lblproposal->text().contains("4.3.5.1(10)"));
        // every length may be overwritten; the member goes back with them
        d.nedsweak->setValue(3.0);
        d.copyTo(in);
        QCOMPARE(in.lWeakCold, 3.0);
        QCOMPARE(in.length, 3.6);
        QCOMPARE(in.frame, FrameType::sway);
        QCOMPARE(in.storey, StoreyPosition::top);
        frmflamb again;
        again.fill(in);
        QVERIFY(again.rbsway->isChecked());
        QCOMPARE(again.nedlength->Value(), 3.6);
    }

    void eccentricitySpinFieldsClamp()
    {
        frmexcent d;
        ColumnInput in;
        in.e1 = -12.5;   // halves to even
        in.e2 = 2000;
        d.fill(in);
        QCOMPARE(d.speexsw->value(), -12);
        QCOMPARE(d.speexst->value(), 1000);
        run(d, [&] {
            qeln::test::typeOver(d.speexsw, "1500");
            d.spepcp->setFocus();
            QCOMPARE(d.speexsw->value(), 1000);
            d.spepcp->selectAll();
            QTest::keyClicks(d.spepcp, "x");
            d.okButton()->click();
        });
        ColumnInput out;
        d.copyTo(out);
        QCOMPARE(out.e1, 1000.0);
        QCOMPARE(out.pcp, 0.0);   // not a whole number: the minimum
    }

    // The approval: filled from the project and given back as it was; a
    // check date that is no date keeps the dialog open on OK with a message,
    // and one typed right then is taken. Texts are cut to their fields' lengths.
    void projectApprovalRoundTripABadDateAndTextsCut()
    {
        frmprojet d;
        ColumnInput in;
        in.author = "A. Author";
        in.checker = "B. Prüfer";
        in.checkDate = "2026-11-03";
        in.revision = "C";
        in.comment = std::string(200, 'c');
        d.fill(in, [](double) { return QString("1/1/26"); });
        QCOMPARE(d.lblcreatedate->text(), QString("1/1/26"));
        QCOMPARE(d.edtchecker->text(), QString("B. Prüfer"));
        QCOMPARE(d.edtcheckdate->text(), QString("2026-11-03"));
        QCOMPARE(d.edtrevision->text(), QString("C"));
        QCOMPARE(d.edtcheckdate->placeholderText(), QString("YYYY-MM-DD"));
        ColumnInput out;
        d.copyTo(out);
        QVERIFY(out == in);

        ModalScript script;
        script.answer(QMessageBox::Ok);
        const int rc = run(d, [&] {
            d.edtchecker->setText("  C. Checker  ");
            d.edtrevision->setText(QString(30, 'r'));
            d.edtcheckdate->setText("2026-02-30");
            d.okButton()->click();   // the message, the dialog stays open on the date
            QVERIFY(d.isVisible());
            QCOMPARE(d.focusWidget(), static_cast<QWidget*>(d.edtcheckdate));
            d.edtcheckdate->setText(" 2024-02-29 ");
            d.okButton()->click();
        });
        QCOMPARE(rc, int(QDialog::Accepted));
        QCOMPARE(script.texts.size(), 1);
        QVERIFY2(script.texts.value(0).contains("YYYY-MM-DD"), qPrintable(script.texts.value(0)));
        d.copyTo(out);
        QVERIFY(out.checker == std::string("C. Checker"));
        QVERIFY(out.checkDate == std::string("2024-02-29"));
        QVERIFY(out.revision == std::string(20, 'r'));
        QVERIFY(out.author == std::string("A. Author"));

        // a date that is none never reaches the project
        d.edtcheckdate->setText("soon");
        d.copyTo(out);
        QVERIFY(out.checkDate == std::string("2024-02-29"));

        d.edtprojcode->setText(QString(30, 'P'));
        d.edtautor->setText(QString(70, 'A'));
        d.copyTo(out);
        QCOMPARE(out.projectCode.size(), std::size_t(20));
        QCOMPARE(out.author.size(), std::size_t(60));
        QCOMPARE(out.comment.size(), std::size_t(200));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
