#include "fileio.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace qeln::fileio {

namespace {

StepHook g_stepHook = nullptr;

void step(const char* name)
{
    if (g_stepHook)
        g_stepHook(name);
}

// Temporary files of replaces in progress, for the signal handler: a slot is
// 0 free, 1 being filled, 2 holding a name the handler may remove.
constexpr int kSlots = 8;
std::atomic<int> g_slotState[kSlots];
char g_slotName[kSlots][PATH_MAX];

int claimSlot(const std::string& name)
{
    if (name.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = 0;
        if (g_slotState[i].compare_exchange_strong(expected, 1)) {
            std::memcpy(g_slotName[i], name.c_str(), name.size() + 1);
            g_slotState[i].store(2);
            return i;
        }
    }
    return -1;
}

void releaseSlot(int slot)
{
    if (slot >= 0)
        g_slotState[slot].store(0);
}

extern "C" void removeTempFilesAndDie(int sig)
{
    for (int i = 0; i < kSlots; ++i)
        if (g_slotState[i].load() == 2)
            ::unlink(g_slotName[i]);
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

bool writeAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The backup as a copy of `from`, for file systems without hard links.
// Failures are ignored; a partial copy is removed.
void copyForBackup(const std::string& from, const std::string& to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0)
        return;
    struct stat st {};
    const mode_t mode = ::fstat(in, &st) == 0 ? (st.st_mode & 0777) : 0600;
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (out < 0) {
        ::close(in);
        return;
    }
    char buf[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (!writeAll(out, std::string_view(buf, static_cast<std::size_t>(n)))) {
            ok = false;
            break;
        }
    }
    ok = ::fsync(out) == 0 && ok;
    ok = ::close(out) == 0 && ok;
    ::close(in);
    if (!ok)
        ::unlink(to.c_str());
}

} // namespace

std::string errnoText(int err)
{
    return std::strerror(err);
}

std::string directoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

unsigned newFileMode()
{
    // Read the umask without changing it (changing it would race with other
    // threads that create files).
    unsigned mask = 022;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            mask = static_cast<unsigned>(std::strtoul(line.c_str() + 6, nullptr, 8));
            break;
        }
    }
    return 0666u & ~mask;
}

std::string resolveWriteTarget(const std::string& path)
{
    std::string p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return p;   // not there yet, or not a link: later steps report what is wrong
        std::string link(static_cast<std::size_t>(PATH_MAX), '\0');
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size())
            return p;
        link.resize(static_cast<std::size_t>(n));
        p = link[0] == '/' ? link : directoryOf(p) + "/" + link;
    }
    throw IoError(path, errnoText(ELOOP));
}

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

PendingReplace::PendingReplace(const std::string& path) : path_(path), target_(resolveWriteTarget(path))
{
    mode_t mode = static_cast<mode_t>(newFileMode());
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists) {
        if (S_ISDIR(st.st_mode))
            throw IoError(path_, "it is a folder");
        if (!S_ISREG(st.st_mode))
            throw IoError(path_, "not a regular file");
        // Checked by the mode bits: root may write any file, but a file
        // marked read-only is kept as it is.
        if ((st.st_mode & 0222) == 0)
            throw IoError(path_, "the file is read-only");
        if (::access(target_.c_str(), W_OK) != 0)
            throw IoError(path_, errnoText(errno));
        mode = st.st_mode & 0777;
    }
    temp_ = target_ + ".tmp-XXXXXX";
    fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        const int err = errno;
        temp_.clear();
        throw IoError(path_, "cannot create a temporary file beside it: " + errnoText(err));
    }
    slot_ = claimSlot(temp_);
    if (exists && ::fchown(fd_, st.st_uid, st.st_gid) != 0) {
        // only where the system allows: otherwise the new file is ours
    }
    if (::fchmod(fd_, mode) != 0) {
        const int err = errno;
        discard();
        throw IoError(path_, "cannot set the permissions of the temporary file: " + errnoText(err));
    }
}

PendingReplace::~PendingReplace()
{
    if (!committed_)
        discard();
}

void PendingReplace::discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    releaseSlot(slot_);
    slot_ = -1;
}

void PendingReplace::write(std::string_view bytes)
{
    if (fd_ < 0 || !writeAll(fd_, bytes))
        throw IoError(path_, "cannot be written: " + errnoText(fd_ < 0 ? EBADF : errno));
}

void PendingReplace::commit(const std::string& backup)
{
    if (fd_ < 0)
        throw IoError(path_, "cannot be written: " + errnoText(EBADF));
    if (::fsync(fd_) != 0)
        throw IoError(path_, "cannot be flushed to disk: " + errnoText(errno));
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        throw IoError(path_, "cannot be written: " + errnoText(errno));

    // The previous file stays under its name; the backup is a second name
    // for it (or a copy), so no moment leaves the name without a whole file.
    if (!backup.empty() && ::access(target_.c_str(), F_OK) == 0) {
        step("backup");
        (void)::unlink(backup.c_str());
        if (::link(target_.c_str(), backup.c_str()) != 0)
            copyForBackup(target_, backup);
    }
    step("rename");
    if (::rename(temp_.c_str(), target_.c_str()) != 0)
        throw IoError(path_, "cannot be replaced: " + errnoText(errno));
    committed_ = true;
    releaseSlot(slot_);
    slot_ = -1;
    syncDirectoryOf(target_);
}

void syncDirectoryOf(const std::string& path)
{
    const int dfd = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
}

void replaceFile(const std::string& path, std::string_view bytes)
{
    PendingReplace file(path);
    file.write(bytes);
    file.commit();
}

void setStepHook(StepHook hook)
{
    g_stepHook = hook;
}

void installSignalHandling()
{
    ::signal(SIGXFSZ, SIG_IGN);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (::sigaction(sig, nullptr, &old) != 0 || old.sa_handler != SIG_DFL)
            continue;   // ignored or handled by someone else: left alone
        struct sigaction sa {};
        sa.sa_handler = removeTempFilesAndDie;
        sigemptyset(&sa.sa_mask);
        ::sigaction(sig, &sa, nullptr);
    }
}

ReadStatus readWholeFile(const std::string& path, std::string& out, std::string& error, std::uint64_t maxSize)
{
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = errnoText(errno);
        return ReadStatus::cannotOpen;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? "it is a folder" : "not a regular file";
        ::close(fd);
        return ReadStatus::cannotOpen;
    }
    if (static_cast<std::uint64_t>(st.st_size) > maxSize) {
        error = "the file is too large (" + std::to_string(st.st_size) + " bytes)";
        ::close(fd);
        return ReadStatus::tooLarge;
    }
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            error = errnoText(errno);
            ::close(fd);
            return ReadStatus::readFailed;
        }
        if (n == 0)
            break;
        out.append(buf, static_cast<std::size_t>(n));
        if (out.size() > maxSize) {
            error = "the file is too large";
            ::close(fd);
            return ReadStatus::tooLarge;
        }
    }
    ::close(fd);
    return ReadStatus::ok;
}

} // namespace qeln::fileio
