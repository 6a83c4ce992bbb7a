// Not a test: the default project under EN 1994 as a user meets it, for the
// pictures in docs/ (start it under xvfb-run at 1024x768):
//   qeln-en-screens OUTDIR
// A fresh settings file, so the start project is an EN 1994 project. Saves
// the whole screen with `import -window root` as OUTDIR/en1994-main.png (the
// main window after a run), OUTDIR/en1994-results.png (the results window
// over it), OUTDIR/en1994-diagrams.png, the safety factors, materials and
// eccentricities dialogs (OUTDIR/en1994-safety.png, ...), and the
// complete report with its charts as OUTDIR/en1994-report.pdf.
#include "guitest.h"
#include "ui/report.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <memory>

using namespace qeln;
using namespace qeln::ui;

namespace {

bool shoot(const QString& path)
{
    QTest::qWait(600);   // the windows are drawn
    return QProcess::execute("import", {"-window", "root", path}) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString(argv[1]) : QDir::currentPath();
    QTemporaryDir tmp;
    MainOptions o;
    o.settingsPath = tmp.path() + "/qeln.INI";
    o.activateOnShow = false;
    o.openCatalogue = [](std::string& e) { return openProfileCatalogue(QELN_BIN_DIR, e); };
    frmmain w(o);
    w.show();
    auto script = std::make_unique<qeln::test::ModalScript>();
    script->press("OkButton");   // the disclaimer
    script->accept().accept();   // the warnings of a run, should there be any
    if (!w.FormActivate())
        return 1;
    if (w.workflow().input.code != DesignCode::EN1994)
        return 2;
    // the default project with loads, so that the design check shows
    ColumnInput in = w.workflow().input;
    in.nEd = 3000;
    in.nFiEd = 1800;
    in.fireClass = FireClass::R90;
    w.workflow().acceptInput(in);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    w.move(screen.left() + 8, screen.top() + 8);
    w.btnresultClick();
    if (!w.workflow().ensureResults())
        return 3;
    // the main window alone first (its status line gives the verdict), then the results beside it
    w.resultWindow->hide();
    if (!shoot(out + "/en1994-main.png"))
        return 4;
    w.resultWindow->show();
    w.resultWindow->move(screen.right() - w.resultWindow->frameGeometry().width() - 8,
                         screen.bottom() - w.resultWindow->frameGeometry().height() - 8);
    if (!shoot(out + "/en1994-results.png"))
        return 4;
    w.resultWindow->close();
    script.reset();   // the dialogs below are photographed, not answered

    w.btndiagramsClick();
    w.diagramsWindow->move(screen.left() + 8, screen.top() + 8);
    if (!shoot(out + "/en1994-diagrams.png"))
        return 5;
    w.diagramsWindow->close();

    // the dialogs with the code and the inputs only the EN method reads
    bool shot = true;
    auto dialog = [&](QDialog* d, const char* name, void (frmmain::*open)()) {
        QTimer::singleShot(300, d, [&, d, name] {
            d->move(screen.left() + 40, screen.top() + 40);
            shot = shoot(out + "/en1994-" + name + ".png") && shot;
            d->reject();
        });
        (w.*open)();
    };
    dialog(w.gamatDialog, "safety", &frmmain::btngammamatClick);
    dialog(w.materDialog, "materials", &frmmain::btnmaterClick);
    dialog(w.excentDialog, "eccentricities", &frmmain::btnexcentClick);
    if (!shot)
        return 7;

    const ReportContent report = buildReport(w.runState(), w.workflow().input, languageBase(), ReportMethod::Complete,
                                             QDateTime::currentDateTime(), &w.diagrams());
    if (writeReportPdf(report, out + "/en1994-report.pdf") <= 0)
        return 6;
    w.workflow().projectChanged = false;
    return 0;
}
