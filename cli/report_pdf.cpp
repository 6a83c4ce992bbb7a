#include "report_pdf.h"

#include "project_access.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qeln::cli {

namespace {

const char* const kWriterName = "qeln-cli-pdf";

// A pipe whose ends close themselves.
struct Pipe {
    int fd[2] = {-1, -1};
    bool open() { return ::pipe2(fd, O_CLOEXEC) == 0; }
    void close(int i)
    {
        if (fd[i] >= 0)
            ::close(fd[i]);
        fd[i] = -1;
    }
    ~Pipe()
    {
        close(0);
        close(1);
    }
};

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string readAll(int fd)
{
    std::string out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return out;
        out.append(buf, static_cast<std::size_t>(n));
    }
}

// Ignores SIGPIPE while it lives: a writer that ends early must not end qeln-cli.
struct NoSigpipe {
    struct sigaction old {};
    NoSigpipe()
    {
        struct sigaction ign {};
        ign.sa_handler = SIG_IGN;
        ::sigaction(SIGPIPE, &ign, &old);
    }
    ~NoSigpipe() { ::sigaction(SIGPIPE, &old, nullptr); }
};

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
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    return {};
}

bool writePdfReport(const PdfRequest& request, std::string& reason)
{
    return runPdfWriter(encodePdfRequest(request), reason);
}

bool runPdfWriter(const std::string& request, std::string& reason)
{
    const std::string dir = programDirectory();
    const std::string writer = findPdfWriter(dir);
    if (writer.empty()) {
        reason = std::string("the PDF writer ") + kWriterName + " is not installed (looked in " + dir + " and " + dir +
                 "../libexec/qeln/)";
        return false;
    }
    Pipe in, out;
    if (!in.open() || !out.open()) {
        reason = std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.fd[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out.fd[1], 1);
    char* argv[] = {const_cast<char*>(kWriterName), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, writer.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        reason = writer + ": " + std::strerror(spawned);
        return false;
    }
    in.close(0);
    out.close(1);
    {
        NoSigpipe guard;
        writeAll(in.fd[1], request);   // a short write shows in the writer's status
        in.close(1);
    }
    const std::string said = readAll(out.fd[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    reason = !said.empty() ? said
             : WIFSIGNALED(status) ? std::string(kWriterName) + " ended with signal " + std::to_string(WTERMSIG(status))
                                   : std::string(kWriterName) + " failed";
    while (!reason.empty() && reason.back() == '\n')
        reason.pop_back();
    return false;
}

} // namespace qeln::cli
