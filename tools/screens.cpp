// Pictures of the desktop program, for looking over the layout after a change
// and for docs/:
//   qeln-screens windows OUTDIR
//     every window in the three languages, each alone (tour-<window>-<lang>.png);
//     the offscreen platform is enough
//   qeln-screens screen OUTDIR [en|fr|de]
//     the whole screen as a user meets it with the main window, the Schedule
//     window after the 40-row example run, the Diagrams window and the Results
//     and Find section dialogs (screen-<window>-<lang>.png); under xvfb-run at
//     1024x768, say
//   qeln-screens en1994 OUTDIR
//     the default project under EN 1994 for docs/, taken with `import -window
//     root` (en1994-main.png, -results, -diagrams, -safety, -materials,
//     -eccentricities) and its complete report (en1994-report.pdf); under xvfb-run
//   qeln-screens schedule OUTDIR [ROWS.csv] [en|fr|de]
//     the column schedule from CSV (the 40-row example unless another is given):
//     searched and designed, exported to schedule.xlsx and schedule.pdf, the
//     window saved as schedule-<lang>.png (QELN_TOUR_NO_SEARCH set: only the
//     rows ticked in the file are searched)
#include "guitest.h"
#include "ui/frmprofil.h"
#include "ui/helpwindow.h"
#include "ui/report.h"
#include "ui/schedulewindow.h"
#include "ui/searchdialog.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTableWidget>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

using namespace qeln;
using namespace qeln::ui;

namespace {

const char* const kExampleRows = QELN_SOURCE_DIR "/tests/data/schedule-40.csv";

// The main window on the real catalogue with a settings file of its own.
struct Program {
    QTemporaryDir tmp;
    std::unique_ptr<frmmain> w;
    Program()
    {
        MainOptions o;
        o.settingsPath = tmp.path() + "/qeln.INI";
        o.activateOnShow = false;
        o.openCatalogue = [](std::string& e) { return openProfileCatalogue(QELN_BIN_DIR, e); };
        w = std::make_unique<frmmain>(o);
        w->show();
    }
    ~Program() { w->workflow().projectChanged = false; }   // no question on closing
    void language(const QString& lang)
    {
        if (lang == "fr")
            w->mitFrenchClick();
        if (lang == "de")
            w->mitGermanClick();
    }
    // an example: HE 300 B with 4 bars of 25 mm, with loads and R 90
    void example(double e1, const char* projectName)
    {
        ColumnInput in = w->workflow().input;
        in.profileName = "HE 300 B";
        w->lookupProfile(in);
        in.n1 = 4;
        in.d = 25;
        in.e1 = e1;
        in.projectName = projectName;
        in.nEd = 3000;
        in.nFiEd = 1800;
        in.fireClass = FireClass::R90;
        w->workflow().acceptInput(in);
    }
};

// Calls `each` with every dialog that becomes the active modal widget, one at a time.
void watchModal(QTimer& timer, std::function<void(QDialog*)> each)
{
    timer.setInterval(50);
    auto busy = std::make_shared<bool>(false);
    QObject::connect(&timer, &QTimer::timeout, [busy, each = std::move(each)] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || *busy)
            return;
        *busy = true;
        each(d);
        *busy = false;
    });
    timer.start();
}

void searchAndWait(QDialog* d, int ms)
{
    if (auto* s = qobject_cast<frmsearch*>(d)) {
        QSignalSpy spy(s, &frmsearch::searchFinished);
        s->startSearch();
        spy.wait(ms);
        QTest::qWait(100);   // the layout takes the status line in
    }
}

int windowsMode(const QString& out)
{
    Program p;
    frmmain& w = *p.w;
    QString lang = "en";
    // every modal window that appears is photographed and closed
    QTimer grabber;
    watchModal(grabber, [&](QDialog* d) {
        searchAndWait(d, 20000);
        const QString name = qobject_cast<QMessageBox*>(d) ? QString("message") : d->objectName();
        d->grab().save(out + "/tour-" + name + "-" + lang + ".png");
        if (name == "AboutBox")
            d->accept();
        else
            d->reject();
    });
    w.FormActivate();
    p.example(0, "Office building, grid C4");
    for (const char* l : {"en", "fr", "de"}) {
        lang = l;
        p.language(lang);
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
        };
        const ColumnInput before = w.workflow().input;
        auto eccentric = [&](double e1, double e2) {
            ColumnInput in = before;
            in.e1 = e1;
            in.e2 = e2;
            w.workflow().acceptInput(in);
        };
        w.btnresultClick();
        photograph(w.resultWindow, "frmresult");
        w.resultWindow->close();
        w.btndetailClick();
        photograph(w.detailWindow, "frmdetail");
        w.detailWindow->close();
        eccentric(50, 30);
        w.btngrafikClick();
        photograph(w.grafikWindow, "frmgrafik");
        w.grafikWindow->close();
        // both tabs of the diagrams, with eccentricities about both axes
        eccentric(30, 50);
        w.btndiagramsClick();
        photograph(w.diagramsWindow, "frmdiagrams");
        w.diagramsWindow->tabaxes->setCurrentIndex(1);
        photograph(w.diagramsWindow, "frmdiagrams-strong");
        w.diagramsWindow->tabaxes->setCurrentIndex(0);
        w.diagramsWindow->close();
        w.workflow().acceptInput(before);
        w.HelpAbout();
        w.HelpContents();
        photograph(HelpWindow::instance(), "help");
        HelpWindow::instance()->close();
        // the warnings window with a warning and an error
        ColumnInput in = before;
        in.fck = 85;
        in.e1 = 500;
        w.workflow().acceptInput(in);
        w.btnresultClick();
        w.workflow().acceptInput(before);
    }
    return 0;
}

int screenMode(const QString& out, const QString& lang)
{
    auto file = [&](const QString& window) { return out + "/screen-" + window + "-" + lang + ".png"; };
    auto shoot = [](const QString& path) {
        QTest::qWait(400);   // the windows are drawn
        if (QScreen* s = QGuiApplication::primaryScreen())
            s->grabWindow(0).save(path);
    };
    Program p;
    frmmain& w = *p.w;
    // the disclaimer is accepted, every other modal window photographed and closed
    QTimer modal;
    watchModal(modal, [&](QDialog* d) {
        if (d->objectName() == "AboutBox") {
            d->accept();
            return;
        }
        searchAndWait(d, 60000);
        shoot(file(d->objectName()));
        d->reject();
    });
    w.FormActivate();
    p.language(lang);
    p.example(50, "");
    shoot(file("main"));

    w.btnscheduleClick();
    frmschedule& s = *w.scheduleWindow;
    if (!s.importCsv(kExampleRows))
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
    return 0;
}

int en1994Mode(const QString& out)
{
    auto shoot = [](const QString& path) {
        QTest::qWait(600);   // the windows are drawn
        return QProcess::execute("import", {"-window", "root", path}) == 0;
    };
    Program p;   // a fresh settings file: the start project is an EN 1994 project
    frmmain& w = *p.w;
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

    const ReportContent report = buildReport(w.runState(), w.workflow().input, currentLanguage(), ReportMethod::Complete,
                                             QDateTime::currentDateTime(), &w.diagrams());
    if (writeReportPdf(report, out + "/en1994-report.pdf") <= 0)
        return 6;
    return 0;
}

int scheduleMode(const QString& out, const QString& rows, const QString& lang)
{
    Program p;
    frmmain& w = *p.w;
    QTimer accept;   // the disclaimer
    watchModal(accept, [](QDialog* d) { d->accept(); });
    w.FormActivate();
    p.language(lang);

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
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const char* mode = argc > 1 ? argv[1] : "";
    const QString out = argc > 2 ? QString(argv[2]) : QDir::currentPath();
    auto arg = [&](int i, const char* otherwise) { return QString(argc > i ? argv[i] : otherwise); };
    if (std::strcmp(mode, "windows") == 0)
        return windowsMode(out);
    if (std::strcmp(mode, "screen") == 0)
        return screenMode(out, arg(3, "en"));
    if (std::strcmp(mode, "en1994") == 0)
        return en1994Mode(out);
    if (std::strcmp(mode, "schedule") == 0)
        return scheduleMode(out, arg(3, kExampleRows), arg(4, "en"));
    std::fprintf(stderr, "usage: qeln-screens windows|screen|en1994|schedule OUTDIR [...]\n");
    return 64;
}
