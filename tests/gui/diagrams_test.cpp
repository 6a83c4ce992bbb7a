// The Diagrams button and window: the charts of the run, refreshed by every
// run while the window stays open, emptied when the results no longer belong
// to the project (input changed, failed run, new project), the language
// switch, and a chart saved as SVG.
#include "guitest.h"

#include <QAction>
#include <QClipboard>
#include <QMimeData>

#include "present/plot.h"
#include "shell/diagrampictures.h"

#include <QTabWidget>
#include <QXmlStreamReader>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::ModalScript;

namespace {

using qeln::test::hasText;

std::size_t textCount(const Picture& pic) { return qeln::test::textsOf(pic).size(); }

bool noChart(const frmdiagrams& d)
{
    for (Axis a : {Axis::Weak, Axis::Strong})
        for (int plot : {0, 1})
            if (!d.view(a, plot)->picture().empty())
                return false;
    return !d.showsDiagrams() && d.lblnote->isVisibleTo(&d);
}

} // namespace

using qeln::test::setInput;

class DiagramsTest : public qeln::test::WindowTest {
    Q_OBJECT
    // The charts the window should show for the project as it is now.
    static DiagramPictures expected(const ColumnInput& in)
    {
        TextEnv env;
        env.language = currentLanguage();
        env.decimalSeparator = QString(decimalSeparator()).toStdString();
        return diagramPicturesOf(env, in, kCompactPlotSize);
    }

private slots:
    void buttonRunsOnceAndShowsTheFourChartsThatFollowTheRuns()
    {
        auto w = started();
        setInput(*w, [](ColumnInput& in) {
            in.e1 = 30;
            in.nEd = 3000;
        });
        auto* button = w->findChild<QPushButton*>("btndiagrams");
        QVERIFY(button);
        QCOMPARE(button->text().remove('&'), QString("Diagrams"));
        button->click();
        QCOMPARE(w->runs, 1);
        frmdiagrams* d = w->diagramsWindow;
        QVERIFY(d->isVisible());
        QVERIFY(!d->isModal());   // the main window goes on working
        QVERIFY(d->showsDiagrams());
        QVERIFY(!d->lblnote->isVisibleTo(d));
        QCOMPARE(d->windowTitle(), QString("Diagrams"));
        QCOMPARE(d->tabaxes->count(), 2);
        QCOMPARE(d->tabaxes->tabText(0), QString("Weak axis z-z"));
        QCOMPARE(d->tabaxes->tabText(1), QString("Strong axis y-y"));

        // each view shows the chart of its place, drawn from this project
        const DiagramPictures want = expected(w->workflow().input);
        QVERIFY(want.valid);
        for (Axis a : {Axis::Weak, Axis::Strong}) {
            const std::size_t i = axisIndex(a);
            const Picture& nm = d->view(a, 0)->picture();
            const Picture& ne = d->view(a, 1)->picture();
            QCOMPARE(nm.items.size(), want.interaction[i].items.size());
            QCOMPARE(ne.items.size(), want.eccentricity[i].items.size());
            QCOMPARE(textCount(nm), textCount(want.interaction[i]));
            QVERIFY(hasText(nm, a == Axis::Weak ? "Interaction diagram - weak axis z-z"
                                                : "Interaction diagram - strong axis y-y"));
            QVERIFY(hasText(ne, a == Axis::Weak ? "Resistance versus eccentricity - weak axis z-z"
                                                : "Resistance versus eccentricity - strong axis y-y"));
        }
        QVERIFY(hasText(d->view(Axis::Weak, 0)->picture(), "e = 30 mm", true));   // then the margin

        // pressed again: no new run, the same window
        button->click();
        QCOMPARE(w->runs, 1);
        // resizable
        d->resize(1300, 700);
        QCOMPARE(d->size(), QSize(1300, 700));

        // a chart saved as SVG parses, with its texts; a failure gives the reason
        const Picture& chart = d->view(Axis::Strong, 1)->picture();
        const QString path = dir.path() + "/ne-strong.svg";
        QVERIFY(!saveChartSvg(chart, path.toStdString()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        int texts = 0;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
                ++texts;
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(std::size_t(texts), textCount(chart));
        const auto failed = saveChartSvg(chart, "/nonexistent-folder/ne.svg");
        QVERIFY(failed && !failed->detail.empty());
        // the copy for other programs: a picture larger than the chart's units
        const QImage img = chartImage(chart, 1.5);
        QCOMPARE(img.width(), static_cast<int>(chart.width * 1.5));

        // left open, the window follows the runs and never shows stale charts:
        // an input changes: the charts go at once
        setInput(*w, [](ColumnInput& in) {
            in.e1 = 40;
            in.nEd = ColumnInput{}.nEd;   // no margin beside e
        });
        QVERIFY(d->isVisible());
        QVERIFY(noChart(*d));
        QVERIFY(d->lblnote->text().contains("No valid results"));

        // a run from another results button refreshes the open window
        ModalScript results;
        w->btnresultClick();
        QVERIFY(results.seen.isEmpty());
        w->resultWindow->close();
        QVERIFY(d->showsDiagrams());
        QVERIFY(hasText(d->view(Axis::Weak, 0)->picture(), "e = 40 mm"));

        // a run that fails: only the errors window, and no chart
        setInput(*w, [](ColumnInput& in) { in.e1 = 200; });   // past b/2: an error
        ModalScript failing;
        failing.accept();
        w->btndiagramsClick();
        QCOMPARE(failing.seen, QStringList{"frmwarn"});
        QVERIFY(noChart(*d));
        // the same after the results window's run fails with the window open
        ModalScript again;
        again.accept();
        w->btnresultClick();
        QCOMPARE(again.seen, QStringList{"frmwarn"});
        QVERIFY(noChart(*d));

        // good input again, then a new project: nothing of the old one stays
        setInput(*w, [](ColumnInput& in) { in.e1 = 0; });
        w->btndiagramsClick();
        QVERIFY(d->showsDiagrams());
        ModalScript discard;
        discard.answer(QMessageBox::Ok);   // the unsaved changes are lost
        w->FileNew();
        QVERIFY(discard.done());
        QVERIFY(noChart(*d));
        d->close();
    }

    // The keys: Ctrl+Tab changes the tab wherever the focus is, Ctrl+C copies a chart;
    // the section drawing has the same Copy; Calculate refills an emptied window;
    // a language switch empties and translates it.
    void keysCalculateAndLanguage()
    {
        auto w = started();
        w->btndiagramsClick();
        frmdiagrams* d = w->diagramsWindow;
        d->windowHandle()->requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), d->windowHandle());
        d->okButton()->setFocus();
        QTest::keyClick(d->okButton(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d->tabaxes->currentIndex(), 1);
        QApplication::clipboard()->clear();
        QTest::keySequence(d->okButton(), QKeySequence::Copy);
        QVERIFY(!QApplication::clipboard()->image().isNull());
        QVERIFY(QApplication::clipboard()->mimeData()->hasFormat("image/svg+xml"));

        setInput(*w, [](ColumnInput& in) { in.e1 = 40; });
        QVERIFY(!d->showsDiagrams());
        QVERIFY(d->btncalculate->isEnabled());
        d->btncalculate->click();
        QVERIFY(d->showsDiagrams());
        QCOMPARE(d->okButton()->text(), QString("Close"));

        // another language empties the window (the charts carry texts of the other language) and renames it
        w->mitGermanClick();
        QVERIFY(noChart(*d));
        QCOMPARE(d->windowTitle(), QString("Diagramme"));
        QCOMPARE(d->tabaxes->tabText(0), QString("Schwache Achse z-z"));
        QCOMPARE(w->findChild<QPushButton*>("btndiagrams")->text().remove('&'), QString("Diagramme"));
        w->btndiagramsClick();
        QVERIFY(hasText(d->view(Axis::Strong, 0)->picture(), "Interaktionsdiagramm - starke Achse y-y"));
        w->mitEnglishClick();
        d->close();

        w->btngrafikClick();
        QApplication::clipboard()->clear();
        w->grafikWindow->imgdyngraf->findChild<QAction*>("actcopy")->trigger();
        QVERIFY(!QApplication::clipboard()->image().isNull());
        w->grafikWindow->close();
    }

};

QTEST_MAIN(DiagramsTest)
#include "diagrams_test.moc"
