#include "reportcommands.h"

#include "report.h"
#include "uitext.h"

#include "platform/fileio.h"
#include "shell/run.h"

#include <QAction>
#include <QDialog>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace qeln::ui {

namespace {

// The report's messages in the text catalogue.
constexpr int kNoPrinter = 1930;     // then 1931: "Use %1 to save it as a PDF file instead."
constexpr int kPrintFailed = 1932;   // %1: the printer
constexpr int kPdfFailed = 1933;     // %1: the file

// "File > Export PDF..." as the menu shows it now.
QString exportCommandName(QWidget& w)
{
    QString name = QStringLiteral("Export PDF...");
    if (auto* a = w.findChild<QAction*>(QStringLiteral("mitexportpdf")))
        name = a->text();
    QString file = T(33);
    return file.remove(QLatin1Char('&')) + QStringLiteral(" > ") + name.remove(QLatin1Char('&'));
}

// The printer of the report, kept with the main window so that the printer
// setup applies to the following prints.
class ReportPrinter : public QObject {
public:
    explicit ReportPrinter(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("reportprinter")); }
    QPrinter printer{QPrinter::HighResolution};
};

QPrinter& printerOf(QWidget& w)
{
    QObject* o = w.findChild<QObject*>(QStringLiteral("reportprinter"), Qt::FindDirectChildrenOnly);
    auto* holder = o ? static_cast<ReportPrinter*>(o) : new ReportPrinter(&w);
    QPrinter& p = holder->printer;
    // a printer removed since (or none chosen yet): the default printer
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (p.printerName().isEmpty() || !names.contains(p.printerName())) {
        const QString def = QPrinterInfo::defaultPrinterName();
        p.setPrinterName(def.isEmpty() && !names.isEmpty() ? names.first() : def);
    }
    return p;
}

bool printerInstalled(ReportHost& host)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        return true;
    QWidget& w = *host.reportWindow();
    showMessage(&w, T(kNoPrinter) + QLatin1Char('\n') + T(kNoPrinter + 1).arg(exportCommandName(w)));
    return false;
}

// The print-method dialog, then the results (recalculated when stale).
// Nothing when the dialog is cancelled or the calculation fails.
std::optional<ReportContent> reportOfCurrentProject(ReportHost& host)
{
    const std::optional<ReportMethod> method = host.chooseReportMethod();
    if (!method || !host.ensureResults())
        return std::nullopt;
    const ColumnInput& in = host.reportInput();
    const DiagramPictures diagrams = reportDiagrams(in, currentLanguage(), QString(decimalSeparator()).toStdString());
    return buildReport(host.runState(), in, currentLanguage(), *method, QDateTime::currentDateTime(), &diagrams);
}

// Closing the program is refused while the report is produced.
class PrintingScope {
public:
    explicit PrintingScope(ReportHost& host) : host_(host) { host_.setPrinting(true); }
    ~PrintingScope() { host_.setPrinting(false); }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;

private:
    ReportHost& host_;
};

QString pdfNameFor(const std::string& projectFile)
{
    if (projectFile.empty())
        return QDir::home().filePath(QStringLiteral("report.pdf"));
    const QFileInfo fi(QString::fromStdString(projectFile));
    return fi.dir().filePath(fi.completeBaseName() + QStringLiteral(".pdf"));
}

} // namespace

void reportPrint(ReportHost& host)
{
    if (!printerInstalled(host))
        return;
    const std::optional<ReportContent> report = reportOfCurrentProject(host);
    if (!report)
        return;
    QWidget& w = *host.reportWindow();
    QPrinter& printer = printerOf(w);
    printer.setDocName(QString::fromStdString(report->productName));
    int pages = 0;
    {
        PrintingScope printing(host);
        pages = renderReport(*report, printer);
    }
    if (pages == 0)
        showError(&w, T(kPrintFailed).arg(printer.printerName()));
}

void reportPrintSetup(ReportHost& host)
{
    if (!printerInstalled(host))
        return;
    QWidget& w = *host.reportWindow();
    QPrinter& printer = printerOf(w);
    QPrintDialog dlg(&printer, &w);
    dlg.setObjectName(QStringLiteral("printsetupdialog"));
    dlg.setWindowTitle(T(39));
    dlg.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    dlg.exec();
}

void reportExportPdf(ReportHost& host)
{
    const std::optional<ReportContent> report = reportOfCurrentProject(host);
    if (!report)
        return;
    QWidget& w = *host.reportWindow();
    QFileDialog dlg(&w);
    dlg.setObjectName(QStringLiteral("pdfdialog"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilters({QStringLiteral("PDF (*.pdf)"), QStringLiteral("*.* (*)")});
    dlg.setDefaultSuffix(QStringLiteral("pdf"));
    dlg.selectFile(pdfNameFor(host.reportFileName()));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return;
    QString path = dlg.selectedFiles().first();
    // A name typed without an extension still gives a PDF file (native file
    // dialogs do not all add the default suffix).
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    // Written under a temporary name and put in place in one step, so a failed
    // export leaves the previous file; never over the open project itself.
    const std::string target = path.toStdString();
    const std::string& project = host.reportFileName();
    std::string reason;
    int pages = 0;
    if (!project.empty() && (target == project || platform::sameFile(target, project))) {
        reason = "this is the project file, it is not overwritten by the report";
    } else {
        const auto write = [&](platform::PendingReplace& file) -> std::optional<Failure> {
            PrintingScope printing(host);
            pages = writeReportPdf(*report, QString::fromStdString(file.tempPath()));
            if (pages > 0)
                return std::nullopt;
            return Failure();   // the renderer gives no reason
        };
        if (const auto failed = platform::writeReplacing(target, write)) {
            pages = 0;
            reason = failed->detail;
        }
    }
    if (pages == 0) {
        QString text = T(kPdfFailed).arg(QDir::toNativeSeparators(path));
        if (!reason.empty())
            text += QStringLiteral("\n\n") + QString::fromStdString(reason);
        showError(&w, text);
    }
}

} // namespace qeln::ui
