// qeln-cli-pdf: the PDF writer of qeln-cli. Reads a request (see
// pdf_request.h) on standard input, runs the design of its project again and
// writes the printed report, the page of the diagrams included, with the
// desktop program's renderer, on a GUI
// application of its own on the offscreen platform unless another one is
// asked for. Exit status 0 when the file was written; otherwise 1 with the
// reason on standard output for qeln-cli to report.
#include "cli/design_run.h"
#include "cli/pdf_request.h"
#include "cli/schedule_pdf_request.h"

#include "shell/run.h"
#include "ui/report.h"
#include "ui/schedulereport.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>

#include <sys/prctl.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The file being written, for the signal handler: a writer ended by a
// signal (its qeln-cli killed, see main) leaves no half file behind.
char g_output[PATH_MAX] = {};

extern "C" void removeOutputAndDie(int sig)
{
    if (g_output[0] != '\0')
        ::unlink(g_output);
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

void writingTo(const std::string& path)
{
    if (path.size() < sizeof g_output)
        std::memcpy(g_output, path.c_str(), path.size() + 1);
}

// A sign of progress for qeln-cli, which stops a writer that shows none for long.
void stillWorking()
{
    const char zero = '\0';
    (void)!::write(1, &zero, 1);
}

// Qt's own diagnostics (platform notes, a failed QPainter::begin) would only
// repeat on standard error what the command line reports in its own words.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "qeln-cli: %s\n", qPrintable(msg));
}

int failed(const std::string& reason)
{
    std::cout << reason << "\n";
    return 1;
}

// The reason a PDF file could not be written, as far as the folder tells it.
int notWritten(const QString& file)
{
    const QFileInfo dir(QFileInfo(file).absolutePath());
    return failed(!dir.isDir() ? "the folder does not exist" : !dir.isWritable() ? "the folder is not writable"
                                                                                 : "the file could not be written");
}

// The GUI application the renderer needs, on the offscreen platform unless another one is asked for.
class GuiApplication {
public:
    GuiApplication() : app_((prepare(), argc_), argv_) {}

private:
    static void prepare()
    {
        qInstallMessageHandler(quietMessages);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static inline int argc_ = 1;
    static inline char name_[] = "qeln-cli";
    static inline char* argv_[] = {name_, nullptr};
    QGuiApplication app_;
};

// The schedule's report: the summary page from the command's results, then
// each row's condensed report from a run of its input as design runs it.
int writeScheduleReport(const qeln::cli::SchedulePdfRequest& r)
{
    using namespace qeln;
    GuiApplication app;
    const ui::ScheduleRowRun run = [&r](const ColumnInput& in, RunState& st) {
        std::vector<std::string> boxes;
        stillWorking();
        return cli::designRun(in, r.language, st, boxes);
    };
    ui::ScheduleReportContent report =
        ui::buildScheduleReport(r.base, r.schedule, r.outcome, r.language, QDateTime::currentDateTime(), run);
    report.page.printedAt = r.printedAt;
    for (ui::ReportContent& row : report.rows)
        row.printedAt = r.printedAt;
    const QString file = QString::fromStdString(r.path);
    if (ui::writeScheduleReportPdf(report, file) > 0)
        return 0;
    return notWritten(file);
}

int writeReport(const qeln::cli::PdfRequest& r)
{
    using namespace qeln;
    RunState st;
    std::vector<std::string> boxes;
    if (!cli::designRun(r.input, r.language, st, boxes))
        return failed("the run gave no valid results");

    GuiApplication app;
    // '.' as decimal separator, as in the listing
    const DiagramPictures diagrams = ui::reportDiagrams(r.input, r.language, ".");
    ui::ReportContent report =
        ui::buildReport(st, r.input, r.language,
                        r.condensed ? ui::ReportMethod::Condensed : ui::ReportMethod::Complete,
                        QDateTime::currentDateTime(), &diagrams);
    report.printedAt = r.printedAt;
    const QString file = QString::fromStdString(r.path);
    if (ui::writeReportPdf(report, file) > 0)
        return 0;
    return notWritten(file);
}

} // namespace

int main(int argc, char** argv)
{
    // Started by qeln-cli with its process number and the temporary file it
    // made for the PDF: the writer ends when qeln-cli does (killed, say),
    // instead of drawing on for minutes, and removes that file, which a
    // killed qeln-cli cannot. The file is known before anything else is
    // done, so a kill while the request is still being read removes it too.
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::signal(sig, removeOutputAndDie);
    if (argc > 2)
        writingTo(argv[2]);
    if (argc > 1) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != static_cast<pid_t>(std::strtol(argv[1], nullptr, 10))) {
            if (g_output[0] != '\0')
                ::unlink(g_output);   // qeln-cli ended before the line above
            return 1;
        }
    }
    try {
        const std::string bytes(std::istreambuf_iterator<char>(std::cin), {});
        if (qeln::cli::isSchedulePdfRequest(bytes)) {
            const auto schedule = qeln::cli::decodeSchedulePdfRequest(bytes);
            if (!schedule)
                return failed(schedule.failure().detail);
            writingTo(schedule->path);
            return writeScheduleReport(*schedule);
        }
        const auto request = qeln::cli::decodePdfRequest(bytes);
        if (!request)
            return failed(request.failure().detail);
        writingTo(request->path);
        return writeReport(*request);
    } catch (const std::exception& e) {
        return failed(std::string("internal failure of the PDF writer: ") + e.what());
    }
}
