// Not a test: opens every window of the program in the three languages and
// saves a picture of each (tour-<window>-<lang>.png in the folder given), for
// looking over the layout after a change.
#include "guitest.h"
#include "ui/helpwindow.h"
#include "ui/searchdialog.h"

#include <QSignalSpy>

#include <QDir>

using namespace qeln;
using namespace qeln::ui;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString(argv[1]) : QDir::currentPath();
    QString lang = "en";
    QTemporaryDir tmp;
    MainOptions o;
    o.settingsPath = tmp.path() + "/qeln.INI";
    o.activateOnShow = false;
    o.openCatalogue = [](std::string& e) { return openProfileCatalogue(QELN_BIN_DIR, e); };
    frmmain w(o);
    w.show();

    // every modal window that appears is photographed and closed
    QTimer grabber;
    grabber.setInterval(50);
    bool searching = false;
    QObject::connect(&grabber, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || searching)
            return;
        QString name = d->objectName();
        if (auto* s = qobject_cast<frmsearch*>(d)) {
            // the search dialog with its result
            searching = true;
            QSignalSpy spy(s, &frmsearch::searchFinished);
            s->startSearch();
            spy.wait(20000);
            QTest::qWait(100);   // the layout takes the status line in
            searching = false;
        }
        if (qobject_cast<QMessageBox*>(d))
            name = "message";
        d->grab().save(out + "/tour-" + name + "-" + lang + ".png");
        if (name == "AboutBox")
            d->accept();
        else
            d->reject();
    });
    grabber.start();

    w.FormActivate();
    {
        // an example: HE 300 B with 4 bars of 25 mm
        ColumnInput in = w.workflow().input;
        in.profileName = "HE 300 B";
        w.lookupProfile(in);
        in.n1 = 4;
        in.d = 25;
        in.projectName = "Office building, grid C4";
        in.nEd = 3000;
        in.nFiEd = 1800;
        in.fireClass = FireClass::R90;
        w.workflow().acceptInput(in);
    }
    for (const char* l : {"en", "fr", "de"}) {
        lang = l;
        if (lang == "fr")
            w.mitFrenchClick();
        if (lang == "de")
            w.mitGermanClick();
        QTest::qWait(100);
        w.grab().save(out + "/tour-frmmain-" + lang + ".png");
        w.btnprojetClick();
        w.btnprofilClick();
        w.btnarmatClick();
        w.btnmaterClick();
        w.btngammamatClick();
        w.btnflambClick();
        w.btnexcentClick();
        w.btnloadsClick();
        w.btnfindsectionClick();
        // the result windows are not modal: photographed here
        auto photograph = [&](QWidget* window, const char* name) {
            QTest::qWait(100);
            window->grab().save(out + "/tour-" + name + "-" + lang + ".png");
            window->close();
        };
        w.btnresultClick();
        photograph(w.resultWindow, "frmresult");
        w.btndetailClick();
        photograph(w.detailWindow, "frmdetail");
        {
            // the drawing with both eccentricities (reset below)
            ColumnInput ecc = w.workflow().input;
            ecc.e1 = 50;
            ecc.e2 = 30;
            w.workflow().acceptInput(ecc);
        }
        w.btngrafikClick();
        photograph(w.grafikWindow, "frmgrafik");
        // the diagrams window is not modal: photographed here, both tabs,
        // with eccentricities about both axes
        const ColumnInput before = w.workflow().input;
        ColumnInput eccentric = before;
        eccentric.e1 = 30;
        eccentric.e2 = 50;
        w.workflow().acceptInput(eccentric);
        w.btndiagramsClick();
        QTest::qWait(100);
        w.diagramsWindow->grab().save(out + "/tour-frmdiagrams-" + lang + ".png");
        w.diagramsWindow->tabaxes->setCurrentIndex(1);
        QTest::qWait(50);
        w.diagramsWindow->grab().save(out + "/tour-frmdiagrams-strong-" + lang + ".png");
        w.diagramsWindow->tabaxes->setCurrentIndex(0);
        w.diagramsWindow->close();
        w.workflow().acceptInput(before);
        w.HelpAbout();
        w.HelpContents();
        QTest::qWait(100);
        HelpWindow::instance()->grab().save(out + "/tour-help-" + lang + ".png");
        HelpWindow::instance()->close();
        // the warnings window with a warning and an error
        ColumnInput in = w.workflow().input;
        in.fck = 85;
        in.e1 = 500;
        w.workflow().acceptInput(in);
        w.btnresultClick();
        in.fck = 30;
        in.e1 = 0;
        in.e2 = 0;
        w.workflow().acceptInput(in);
    }
    w.workflow().projectChanged = false;
    return 0;
}
