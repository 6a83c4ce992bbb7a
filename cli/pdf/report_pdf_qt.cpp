// The batch command line's PDF report: the desktop program's renderer on a
// GUI application of its own, on the offscreen platform unless another one is
// asked for, created only for the PDF.
#include "cli/report_pdf.h"

#include "shell/run.h"
#include "ui/report.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace qeln::cli {

namespace {
// Qt's own diagnostics (platform notes, a failed QPainter::begin) would only
// repeat on standard error what the command line reports in its own words.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "qeln-cli: %s\n", qPrintable(msg));
}
} // namespace

bool pdfReportAvailable() { return true; }

bool writePdfReport(const RunState& st, const ColumnInput& in, int languageBase, bool condensed,
                    const std::string& printedAt, const std::string& path, std::string& reason)
{
    const QtMessageHandler previous = qInstallMessageHandler(quietMessages);
    struct Restore {
        QtMessageHandler h;
        ~Restore() { qInstallMessageHandler(h); }
    } restore{previous};
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "qeln-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    ui::ReportContent report =
        ui::buildReport(st, in, languageBase, condensed ? ui::ReportMethod::Condensed : ui::ReportMethod::Complete,
                        QDateTime::currentDateTime());
    report.printedAt = printedAt;
    const QString file = QString::fromStdString(path);
    if (ui::writeReportPdf(report, file) > 0)
        return true;
    const QFileInfo dir(QFileInfo(file).absolutePath());
    reason = !dir.isDir() ? "the folder does not exist" : !dir.isWritable() ? "the folder is not writable"
                                                                           : "the file could not be written";
    return false;
}

} // namespace qeln::cli
