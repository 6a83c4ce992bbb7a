#include "report_pdf.h"

#include "platform/fileio.h"
#include "platform/process.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <utility>

namespace qeln::cli {

namespace {

const char* const kWriterName = "qeln-cli-pdf";

// How long the writer may go without a sign of progress (a byte on its
// standard output, its file growing) before it counts as hanging.
std::chrono::seconds idleLimit()
{
    // for tests and very slow machines
    const std::string v = platform::environmentValue("QELN_PDF_WRITER_IDLE_SECONDS");
    const long s = std::strtol(v.c_str(), nullptr, 10);
    return std::chrono::seconds(s > 0 ? s : 120);
}

// Whether the file ends as a whole PDF file does: with %%EOF (and at most a line end).
bool endsAsPdf(const std::string& path)
{
    std::string tail = platform::fileTail(path, 16);
    while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\r' || tail.back() == ' '))
        tail.pop_back();
    return tail.ends_with("%%EOF");
}

} // namespace

bool pdfReportAvailable()
{
#ifdef QELN_HAVE_PDF_WRITER
    return true;
#else
    return false;
#endif
}

std::string findPdfWriter(const std::string& programDir)
{
    for (const std::string& candidate : {programDir + kWriterName, programDir + "../libexec/qeln/" + kWriterName})
        if (platform::mayRun(candidate))
            return candidate;
    return {};
}

std::optional<Failure> writePdfReport(const PdfRequest& request)
{
    return runPdfWriter(encodePdfRequest(request), request.path);
}

std::optional<Failure> runPdfWriter(const std::string& request, const std::string& output)
{
    const auto failure = [&output](std::string reason) {
        return Failure(FailureCode::writeFailed, 516, output, std::move(reason));
    };
    std::string dir = platform::programDirectory();
    if (dir.back() != '/')
        dir += '/';
    const std::string writer = findPdfWriter(dir);
    if (writer.empty())
        return failure(std::string("the PDF writer ") + kWriterName + " is not installed (looked in " + dir + " and " +
                       dir + "../libexec/qeln/)");
    // the writer ends itself when qeln-cli ends before it (killed): it is told whose child it is,
    // and which file to remove then
    long long size = platform::fileSize(output);
    const auto grew = [&] {
        const long long now = platform::fileSize(output);
        return std::exchange(size, now) != now;
    };
    using Outcome = platform::ProcessResult::Outcome;
    const platform::ProcessResult r = platform::runProcess(
        writer, {kWriterName, std::to_string(platform::processId()), output}, request, idleLimit(), grew);
    switch (r.outcome) {
    case Outcome::notStarted: return failure(platform::errnoText(r.error));
    case Outcome::spawnFailed: return failure(writer + ": " + platform::errnoText(r.error));
    case Outcome::stalled:
        return failure(std::string(kWriterName) + " showed no progress for " + std::to_string(idleLimit().count()) +
                       " s and was stopped");
    case Outcome::exited:
    case Outcome::signalled: break;
    }
    std::string said = r.output;
    said.erase(std::remove(said.begin(), said.end(), '\0'), said.end());   // the writer's signs of progress
    if (r.outcome == Outcome::exited && r.code == 0) {
        // a writer that says it succeeded must have left a whole PDF file
        if (endsAsPdf(output))
            return std::nullopt;
        return failure(std::string(kWriterName) + " ended without writing a complete PDF file");
    }
    std::string reason = said;
    if (reason.empty() && r.outcome == Outcome::signalled)
        reason = std::string(kWriterName) + " ended with signal " + std::to_string(r.code);
    else if (reason.empty())
        reason = std::string(kWriterName) + " failed";
    while (!reason.empty() && reason.back() == '\n')
        reason.pop_back();
    return failure(std::move(reason));
}

} // namespace qeln::cli
