// Not a test: the program on a real screen as a user meets it, for looking
// over sizes and places (start it under xvfb-run at 1024x768, say):
//   qeln-screen-tour OUTDIR [en|fr|de]
// Opens the main window with an example project, the Schedule window with
// the 40-row example run, the Diagrams window, and the Results and Find
// section dialogs, and saves a picture of the whole screen with each one
// (OUTDIR/screen-<window>-<lang>.png).
#include "guitest.h"
#include "ui/schedulewindow.h"
#include "ui/searchdialog.h"

#include <QDir>
#include <QScreen>
#include <QSignalSpy>

#include <functional>

using namespace qeln;
using namespace qeln::ui;

namespace {

void shoot(const QString& path)
{
    QTest::qWait(400);   // the windows are drawn
    if (QScreen* s = QGuiApplication::primaryScreen())
        s->grabWindow(0).save(path);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString(argv[1]) : QDir::currentPath();
    const QString lang = argc > 2 ? QString(argv[2]) : QString("en");
    auto file = [&](const char* window) { return out + "/screen-" + window + "-" + lang + ".png"; };
    QTemporaryDir tmp;
    MainOptions o;
    o.settingsPath = tmp.path() + "/qeln.INI";
    o.activateOnShow = false;
    o.openCatalogue = [](std::string& e) { return openProfileCatalogue(QELN_BIN_DIR, e); };
    frmmain w(o);
    w.show();

    // the modal windows: the disclaimer is accepted, every other one photographed and closed
    QString modalName;
    QTimer modal;
    modal.setInterval(100);
    bool busy = false;
    QObject::connect(&modal, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || busy)
            return;
        busy = true;
        if (d->objectName() == "AboutBox") {
            d->accept();
        } else {
            if (auto* s = qobject_cast<frmsearch*>(d)) {
                QSignalSpy spy(s, &frmsearch::searchFinished);
                s->startSearch();
                spy.wait(60000);
            }
            shoot(file(qPrintable(d->objectName())));
            d->reject();
        }
        busy = false;
    });
    modal.start();
    w.FormActivate();
    if (lang == "fr")
        w.mitFrenchClick();
    if (lang == "de")
        w.mitGermanClick();
    {
        ColumnInput in = w.workflow().input;
        in.profileName = "HE 300 B";
        w.lookupProfile(in);
        in.n1 = 4;
        in.d = 25;
        in.e1 = 50;
        in.nEd = 3000;
        in.nFiEd = 1800;
        in.fireClass = FireClass::R90;
        w.workflow().acceptInput(in);
    }
    shoot(file("main"));

    w.btnscheduleClick();
    frmschedule& s = *w.scheduleWindow;
    if (!s.importCsv(QELN_SOURCE_DIR "/tests/data/schedule-40.csv"))
        return 1;
    QSignalSpy ended(&s, &frmschedule::runEnded);
    s.runAll();
    if (!ended.wait(600000))
        return 2;
    shoot(file("schedule"));
    s.close();

    w.btndiagramsClick();
    shoot(file("diagrams"));
    w.diagramsWindow->close();

    w.btnresultClick();
    shoot(file("frmresult"));
    w.resultWindow->close();
    w.btnfindsectionClick();
    w.workflow().projectChanged = false;
    return 0;
}
