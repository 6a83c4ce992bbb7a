#include "report_pdf.h"

#include "project_access.h"

#include <algorithm>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
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

// How long the writer may go without a sign of progress (a byte on its
// standard output, its file growing) before it counts as hanging.
std::chrono::seconds idleLimit()
{
    const char* v = std::getenv("QELN_PDF_WRITER_IDLE_SECONDS");   // for tests and very slow machines
    const long s = v ? std::strtol(v, nullptr, 10) : 0;
    return std::chrono::seconds(s > 0 ? s : 120);
}

long long fileSize(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

// Hands the request to the writer and reads its words until it closes its
// output; false when it showed no progress for the idle limit (it is then
// killed). A writer that stops reading its request ends the handing over
// (the rest shows in its status).
bool talkWhileAlive(int in, const std::string& request, int out, pid_t pid, const std::string& output,
                    std::string& said)
{
    const auto limit = idleLimit();
    auto last = std::chrono::steady_clock::now();
    long long size = fileSize(output);
    std::size_t sent = 0;
    if (in >= 0)
        ::fcntl(in, F_SETFL, ::fcntl(in, F_GETFL) | O_NONBLOCK);
    char buf[4096];
    for (;;) {
        pollfd p[2] = {{out, POLLIN, 0}, {in, POLLOUT, 0}};
        const int ready = ::poll(p, in >= 0 ? 2 : 1, 1000);
        if (ready < 0 && errno != EINTR)
            return true;
        bool progress = false;
        if (in >= 0 && (p[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = ::write(in, request.data() + sent, request.size() - sent);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
                progress = true;
            }
            if ((n < 0 && errno != EAGAIN && errno != EINTR) || sent == request.size()) {
                ::close(in);   // all given, or the writer stopped reading
                in = -1;
            }
        }
        if (p[0].revents & (POLLIN | POLLERR | POLLHUP)) {
            const ssize_t n = ::read(out, buf, sizeof buf);
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
                if (in >= 0)
                    ::close(in);
                return true;
            }
            if (n > 0) {
                said.append(buf, static_cast<std::size_t>(n));
                progress = true;
            }
        }
        if (const long long now = fileSize(output); now != size) {
            size = now;
            progress = true;
        }
        if (progress) {
            last = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - last > limit) {
            ::kill(pid, SIGKILL);
            if (in >= 0)
                ::close(in);
            return false;
        }
    }
}

// Whether the file ends as a whole PDF file does: with %%EOF (and at most a line end).
bool endsAsPdf(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    char tail[16] = {};
    ssize_t n = -1;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        const off_t from = st.st_size > static_cast<off_t>(sizeof tail) ? st.st_size - static_cast<off_t>(sizeof tail) : 0;
        n = ::pread(fd, tail, sizeof tail, from);
    }
    ::close(fd);
    if (n <= 0)
        return false;
    std::string_view t(tail, static_cast<std::size_t>(n));
    while (!t.empty() && (t.back() == '\n' || t.back() == '\r' || t.back() == ' '))
        t.remove_suffix(1);
    return t.ends_with("%%EOF");
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
    return runPdfWriter(encodePdfRequest(request), request.path, reason);
}

bool runPdfWriter(const std::string& request, const std::string& output, std::string& reason)
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
    // the writer ends itself when qeln-cli ends before it (killed): it is told whose child it is
    std::string parent = std::to_string(::getpid());
    char* argv[] = {const_cast<char*>(kWriterName), parent.data(), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, writer.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        reason = writer + ": " + std::strerror(spawned);
        return false;
    }
    in.close(0);
    out.close(1);
    std::string said;
    bool alive = true;
    {
        NoSigpipe guard;
        alive = talkWhileAlive(in.fd[1], request, out.fd[0], pid, output, said);
        in.fd[1] = -1;   // closed by talkWhileAlive
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    said.erase(std::remove(said.begin(), said.end(), '\0'), said.end());   // the writer's signs of progress
    if (!alive) {
        reason = std::string(kWriterName) + " showed no progress for " + std::to_string(idleLimit().count()) +
                 " s and was stopped";
        return false;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        // a writer that says it succeeded must have left a whole PDF file
        if (endsAsPdf(output))
            return true;
        reason = std::string(kWriterName) + " ended without writing a complete PDF file";
        return false;
    }
    reason = !said.empty() ? said
             : WIFSIGNALED(status) ? std::string(kWriterName) + " ended with signal " + std::to_string(WTERMSIG(status))
                                   : std::string(kWriterName) + " failed";
    while (!reason.empty() && reason.back() == '\n')
        reason.pop_back();
    return false;
}

} // namespace qeln::cli
