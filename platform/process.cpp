#include "process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qeln::platform {

namespace {

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

// Ignores SIGPIPE while it lives: a child that ends early must not end this program.
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

// Hands the input to the child and reads its output until it closes it;
// false when it showed no progress for the idle limit (it is then killed).
// Closes `in`.
bool talkWhileAlive(int in, const std::string& input, int out, pid_t pid, std::chrono::seconds limit,
                    const std::function<bool()>& progressed, std::string& said)
{
    auto last = std::chrono::steady_clock::now();
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
            const ssize_t n = ::write(in, input.data() + sent, input.size() - sent);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
                progress = true;
            }
            if ((n < 0 && errno != EAGAIN && errno != EINTR) || sent == input.size()) {
                ::close(in);   // all given, or the child stopped reading
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
        if (progressed && progressed())
            progress = true;
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

} // namespace

std::string programDirectory()
{
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    const std::string p(buf, static_cast<std::size_t>(n));
    const auto slash = p.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : p.substr(0, slash);
}

std::string environmentValue(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

long processId()
{
    return static_cast<long>(::getpid());
}

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input, std::chrono::seconds idleLimit,
                         const std::function<bool()>& progressed)
{
    ProcessResult r;
    Pipe in, out;
    if (!in.open() || !out.open()) {
        r.error = errno;
        return r;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.fd[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out.fd[1], 1);
    std::vector<std::string> args = arguments;
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        r.outcome = ProcessResult::Outcome::spawnFailed;
        r.error = spawned;
        return r;
    }
    in.close(0);
    out.close(1);
    bool alive = true;
    {
        NoSigpipe guard;
        alive = talkWhileAlive(in.fd[1], input, out.fd[0], pid, idleLimit, progressed, r.output);
        in.fd[1] = -1;   // closed by talkWhileAlive
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!alive) {
        r.outcome = ProcessResult::Outcome::stalled;
    } else if (WIFSIGNALED(status)) {
        r.outcome = ProcessResult::Outcome::signalled;
        r.code = WTERMSIG(status);
    } else {
        r.outcome = ProcessResult::Outcome::exited;
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return r;
}

} // namespace qeln::platform
