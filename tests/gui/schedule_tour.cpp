// Not a test: the column schedule in the desktop program from start to end.
// Imports a CSV file (the 40-row example unless another is given), searches
// and designs every row, exports XLSX and PDF, and saves a picture of the
// Schedule window after the run:
//   qeln-schedule-tour OUTDIR [ROWS.csv] [en|fr|de]
// giving OUTDIR/schedule-LANG.png, schedule.xlsx and schedule.pdf
// (QELN_TOUR_NO_SEARCH set: only the rows ticked in the file are searched).
#include "guitest.h"
#include "ui/schedulewindow.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QDir>
#include <QSignalSpy>
#include <QTableWidget>

#include <cstdio>

using namespace qeln;
using namespace qeln::ui;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString(argv[1]) : QDir::currentPath();
    const QString rows = argc > 2 ? QString(argv[2]) : QString(QELN_SOURCE_DIR "/tests/data/schedule-40.csv");
    const QString lang = argc > 3 ? QString(argv[3]) : QString("en");
    QTemporaryDir tmp;
    MainOptions o;
    o.settingsPath = tmp.path() + "/qeln.INI";
    o.activateOnShow = false;
    o.openCatalogue = [](std::string& e) { return openProfileCatalogue(QELN_BIN_DIR, e); };
    frmmain w(o);
    w.show();
    QTimer accept;   // the disclaimer
    accept.setInterval(50);
    QObject::connect(&accept, &QTimer::timeout, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            d->accept();
    });
    accept.start();
    w.FormActivate();
    if (lang == "fr")
        w.mitFrenchClick();
    if (lang == "de")
        w.mitGermanClick();

    w.btnscheduleClick();
    frmschedule& s = *w.scheduleWindow;
    if (!s.importCsv(rows))
        return 1;
    s.chksearchall->setChecked(qEnvironmentVariableIsEmpty("QELN_TOUR_NO_SEARCH"));
    QSignalSpy ended(&s, &frmschedule::runEnded);
    QElapsedTimer clock;
    clock.start();
    s.runAll();
    if (!ended.wait(600000) || !s.outcome())
        return 2;
    std::printf("%zu rows designed and searched in %lld ms: %zu pass, %zu fail\n", s.outcome()->rows.size(),
                static_cast<long long>(clock.elapsed()), s.outcome()->summary.passing, s.outcome()->summary.failing);
    if (!s.exportXlsx(out + "/schedule.xlsx") || !s.exportPdf(out + "/schedule.pdf"))
        return 3;
    s.grdschedule->scrollToTop();
    QTest::qWait(200);
    s.grab().save(out + "/schedule-" + lang + ".png");
    w.workflow().projectChanged = false;
    return 0;
}
