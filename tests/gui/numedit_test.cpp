// The numeric field: key filter, parsing on leaving, range check with the
// focus kept, display masks and rounding.
#include "guitest.h"
#include "ui/numedit.h"

#include <QLineEdit>
#include <QVBoxLayout>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;

class NumEditTest : public QObject {
    Q_OBJECT
    QWidget* form = nullptr;
    TNumEdit* field = nullptr;
    QLineEdit* other = nullptr;

private slots:
    void initTestCase() { qeln::test::useEnglishLocale(); }
    void init()
    {
        form = new QWidget;
        auto* v = new QVBoxLayout(form);
        field = new TNumEdit(form);
        field->setup(40, 200, "#,#0.0");
        field->setMessagestring("Value must be between %g and %g !");
        field->setValue(60);
        other = new QLineEdit(form);
        v->addWidget(field);
        v->addWidget(other);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form, 30000));
        other->setFocus();
    }
    void cleanup() { delete form; }

    void masksAndRounding()
    {
        QCOMPARE(formatWithMask(1000, "#,#0.0", '.', ','), QString("1,000.0"));
        QCOMPARE(formatWithMask(0.5, "#,#0.0", '.', ','), QString("0.5"));
        QCOMPARE(formatWithMask(1234567.891, "#,#0.000", ',', '.'), QString("1.234.567,891"));
        QCOMPARE(formatWithMask(-2.25, "#,#0.0", '.', ','), QString("-2.3"));
        QCOMPARE(roundToDecimals(0.0625, 3, true), 0.062);   // halves to even
        QCOMPARE(roundToDecimals(0.0635, 3, true), 0.064);
        QCOMPARE(roundToDecimals(0.0629, 3, false), 0.062);  // truncation
        QCOMPARE(formatRangeMessage("Value must be between %g and %g !", 40, 200, '.'),
                 QString("Value must be between 40 and 200 !"));
        QCOMPARE(formatRangeMessage("%g .. %g", 1.5, 1e6, ','), QString("1,5 .. 1000000"));
        QCOMPARE(parseFieldText("12-", '.'), -12.0);
        QCOMPARE(parseFieldText("-1,234.5", '.'), -1234.5);
        QCOMPARE(parseFieldText("", '.'), 0.0);
    }

    void shownTextFollowsTheMask()
    {
        QCOMPARE(field->text(), QString("60.0"));
        field->setPositiveMask("#,#0.000");
        QCOMPARE(field->text(), QString("60.000"));
    }

    void outOfRangeTypedKeepsFocusAndValue()
    {
        field->setFocus();
        QVERIFY(field->hasFocus());
        field->selectAll();
        QTest::keyClicks(field, "250");
        ModalScript script;
        script.answer(QMessageBox::Ok);
        other->setFocus();
        QVERIFY(script.done());
        QCOMPARE(script.texts, QStringList{"Value must be between 40 and 200 !"});
        QCOMPARE(field->Value(), 60.0);
        QTRY_VERIFY(field->hasFocus());
        QCOMPARE(field->selectedText(), QString("250"));
    }

    void typedNumberKeptWhileShownRounded()
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "42.2666");
        other->setFocus();
        QCOMPARE(field->Value(), 42.2666);
        QCOMPARE(field->text(), QString("42.3"));
        QVERIFY(field->alignment() & Qt::AlignRight);
    }

    void emptyFieldReadsZeroAndIsRangeChecked()
    {
        field->setFocus();
        field->clear();
        ModalScript script;
        script.answer(QMessageBox::Ok);
        other->setFocus();
        QVERIFY(script.done());
        QCOMPARE(field->Value(), 60.0);
        QTRY_VERIFY(field->hasFocus());
        // without a range, empty is simply 0
        field->setValidate(false);
        other->setFocus();
        QCOMPARE(field->Value(), 0.0);
    }

    void secondSeparatorAndLettersAreDropped()
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "4a5.5.x6");
        QCOMPARE(field->text(), QString("45.56"));
        QTest::keyClicks(field, "--");
        QCOMPARE(field->text().count('-'), 1);
    }

    void enteringStripsTheMaskCharacters()
    {
        field->setMax(5000);
        field->setValue(1234.5);
        QCOMPARE(field->text(), QString("1,234.5"));
        field->setFocus();
        QCOMPARE(field->text(), QString("1,234.5"));
        QCOMPARE(field->maxLength(), 12);
        other->setFocus();
        QCOMPARE(field->Value(), 1234.5);
        QVERIFY(field->maxLength() > 12);
    }

    void settingTheSameValueDoesNotReformat()
    {
        field->setText("hand made");
        field->setValue(60);
        QCOMPARE(field->text(), QString("hand made"));
    }

    void settingValueOutOfRangeShowsMessageAndKeepsOld()
    {
        ModalScript script;
        script.answer(QMessageBox::Ok);
        field->setValue(30);
        QVERIFY(script.done());
        QCOMPARE(field->Value(), 60.0);
    }

    void raisingMinimumRaisesValueSilently()
    {
        field->setMin(80);
        QCOMPARE(field->Value(), 80.0);
        field->setMax(70);
        QCOMPARE(field->Value(), 70.0);
    }
};

QTEST_MAIN(NumEditTest)
#include "numedit_test.moc"
