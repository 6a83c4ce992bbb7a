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
        QCOMPARE(formatWithMask(1000, "#,#0.0", ',', QChar()), QString("1000,0"));
    }

    void shownTextFollowsTheMask()
    {
        QCOMPARE(field->text(), QString("60.0"));
        field->setPositiveMask("#,#0.000");
        QCOMPARE(field->text(), QString("60.000"));
    }

    // A text the field cannot take, typed or pasted, is told on leaving; the
    // field keeps its value, takes the focus back and shows the text as it was.
    void refusedTextKeepsValueFocusAndText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("typed out of range") << "250" << true << "Value must be between 40 and 200 !";
        QTest::newRow("empty") << "" << false << "Value must be between 40 and 200 !";
        QTest::newRow("pasted unreadable") << "1,000.5" << false << "Unreadable number format";
    }
    void refusedTextKeepsValueFocusAndText()
    {
        QFETCH(QString, text);
        QFETCH(bool, typed);
        QFETCH(QString, message);
        field->setFocus();
        QVERIFY(field->hasFocus());
        if (typed) {
            field->selectAll();
            QTest::keyClicks(field, text);
        } else {
            field->setText(text);
        }
        ModalScript script;
        script.answer(QMessageBox::Ok);
        other->setFocus();
        QVERIFY(script.done());
        QCOMPARE(script.texts, QStringList{message});
        QCOMPARE(field->Value(), 60.0);
        QTRY_VERIFY(field->hasFocus());
        QCOMPARE(field->text(), text);
        if (typed)
            QCOMPARE(field->selectedText(), text);
    }

    // without a range, an empty field is simply 0
    void emptyFieldWithoutRangeReadsZero()
    {
        field->setValidate(false);
        field->setFocus();
        field->clear();
        other->setFocus();
        QCOMPARE(field->Value(), 0.0);
    }

    void enteringStripsTheMaskCharacters()
    {
        field->setMax(5000);
        field->setValue(1234.5);
        QCOMPARE(field->text(), QString("1234.5"));   // no thousands separator: "," is a decimal separator
        field->setFocus();
        QCOMPARE(field->text(), QString("1234.5"));
        QCOMPARE(field->maxLength(), 12);
        other->setFocus();
        QCOMPARE(field->Value(), 1234.5);
        QVERIFY(field->maxLength() > 12);
    }

    void commaAndPointAreBothTheDecimalSeparator_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<double>("value");
        QTest::newRow("comma") << "1,35" << true << 1.35;
        QTest::newRow("point") << "1.35" << true << 1.35;
        QTest::newRow("comma 25,5") << "25,5" << true << 25.5;
        QTest::newRow("leading comma") << ",5" << true << 0.5;
        QTest::newRow("blanks") << " 1 2 " << true << 12.0;
        QTest::newRow("trailing minus") << "12-" << true << -12.0;
        QTest::newRow("empty") << "" << true << 0.0;
        QTest::newRow("thousands and decimals") << "1,000.5" << false << 0.0;
        QTest::newRow("german thousands") << "1.000,5" << false << 0.0;
        QTest::newRow("exponent") << "1e5" << false << 0.0;
        QTest::newRow("separator alone") << "," << false << 0.0;
    }
    void commaAndPointAreBothTheDecimalSeparator()
    {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QFETCH(double, value);
        const std::optional<double> v = parseFieldText(text);
        QCOMPARE(v.has_value(), readable);
        if (readable)
            QCOMPARE(*v, value);
    }

    // Letters are dropped, and a second separator of either kind; the number
    // typed is kept while the field shows it rounded.
    void typedCommaIsTheDecimalSeparatorShownAsTheLocaleSays()
    {
        qeln::test::typeOver(field, "4a2,5");
        QCOMPARE(field->text(), QString("42.5"));   // typed "," shows as the locale's "."
        QTest::keyClicks(field, ",.x66");
        QCOMPARE(field->text(), QString("42.566"));
        QTest::keyClicks(field, "--");
        QCOMPARE(field->text().count('-'), 1);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QString("42.566"));
        other->setFocus();
        QCOMPARE(field->Value(), 42.566);
        QCOMPARE(field->text(), QString("42.6"));
        QVERIFY(field->alignment() & Qt::AlignRight);

        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        field->setMax(5000);
        field->setValue(1000);
        QCOMPARE(field->text(), QString("1000,0"));
        qeln::test::typeOver(field, "135.25");
        QCOMPARE(field->text(), QString("135,25"));
        other->setFocus();
        QCOMPARE(field->Value(), 135.25);
        QCOMPARE(field->text(), QString("135,3"));
        qeln::test::useEnglishLocale();
    }

    // Values set by the program: the same value does not reformat a text, one
    // out of range is told and the old one kept, a raised minimum or lowered
    // maximum moves the value silently.
    void settingValues()
    {
        field->setText("hand made");
        field->setValue(60);
        QCOMPARE(field->text(), QString("hand made"));
        ModalScript script;
        script.answer(QMessageBox::Ok);
        field->setValue(30);
        QVERIFY(script.done());
        QCOMPARE(field->Value(), 60.0);
        field->setMin(80);
        QCOMPARE(field->Value(), 80.0);
        field->setMax(70);
        QCOMPARE(field->Value(), 70.0);
        QCOMPARE(script.seen.size(), 1);
    }
};

QTEST_MAIN(NumEditTest)
#include "numedit_test.moc"
