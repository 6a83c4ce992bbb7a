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

namespace qeln::platform {

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

// The backup as a copy of `from`, for file systems without hard links.
// Failures are ignored; a partial copy is removed.
void copyForBackup(const std::string& from, const std::string& to)
{
    File in;
    if (in.open(from, File::Access::read) != 0)
        return;
    File::Status st;
    File out;
    if (out.create(to, in.status(st) == 0 ? st.mode & 0777 : 0600, true) != 0)
        return;
    char buf[65536];
    bool ok = true;
    for (std::uint64_t at = 0;;) {
        int err = 0;
        const std::size_t n = in.readAt(at, buf, sizeof buf, err);
        if (err != 0 || out.write(std::string_view(buf, n)) != 0) {
            ok = false;
            break;
        }
        if (n < sizeof buf)
            break;
        at += n;
    }
    ok = out.sync() == 0 && ok;
    ok = out.close() == 0 && ok;
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
    if (const int err = temp_.create(target_))
        throw IoError(path_, "cannot create a temporary file beside it: " + errnoText(err));
    open_ = true;
    slot_ = claimSlot(temp_.path());
    if (exists && temp_.file().setOwner(st.st_uid, st.st_gid) != 0) {
        // only where the system allows: otherwise the new file is ours
    }
    if (const int err = temp_.file().setMode(mode)) {
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
    open_ = false;
    temp_.discard();
    releaseSlot(slot_);
    slot_ = -1;
}

void PendingReplace::write(std::string_view bytes)
{
    const int err = open_ ? temp_.file().write(bytes) : EBADF;
    if (err != 0)
        throw IoError(path_, "cannot be written: " + errnoText(err));
}

void PendingReplace::commit(const std::string& backup)
{
    if (!open_)
        throw IoError(path_, "cannot be written: " + errnoText(EBADF));
    if (const int err = temp_.file().sync())
        throw IoError(path_, "cannot be flushed to disk: " + errnoText(err));
    open_ = false;
    if (const int err = temp_.file().close())
        throw IoError(path_, "cannot be written: " + errnoText(err));

    // The previous file stays under its name; the backup is a second name
    // for it (or a copy), so no moment leaves the name without a whole file.
    if (!backup.empty() && ::access(target_.c_str(), F_OK) == 0) {
        step("backup");
        (void)::unlink(backup.c_str());
        if (::link(target_.c_str(), backup.c_str()) != 0)
            copyForBackup(target_, backup);
    }
    step("rename");
    if (const int err = temp_.renameOver(target_))
        throw IoError(path_, "cannot be replaced: " + errnoText(err));
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

std::optional<Failure> writeReplacing(const std::string& path, const ReplaceWriter& write)
{
    std::string reason;
    try {
        PendingReplace file(path);
        const std::optional<Failure> failed = write(file);
        if (!failed) {
            file.commit();
            return std::nullopt;
        }
        reason = failed->detail;
    } catch (const IoError& e) {
        reason = e.reason();
    }
    return Failure(FailureCode::writeFailed, 516, path, reason);
}

std::optional<Failure> writeReplacing(const std::string& path, std::string_view bytes)
{
    return writeReplacing(path, [bytes](PendingReplace& file) -> std::optional<Failure> {
        file.write(bytes);
        return std::nullopt;
    });
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

Result<std::string> readWholeFile(const std::string& path, std::uint64_t maxSize)
{
    const auto failed = [&path](FailureCode code, std::string detail) { return Failure(code, 0, path, std::move(detail)); };
    File file;
    if (const int err = file.open(path, File::Access::read))
        return failed(FailureCode::cannotOpen, errnoText(err));
    File::Status st;
    if (file.status(st) != 0 || !st.regular)
        return failed(FailureCode::cannotOpen, st.folder ? "it is a folder" : "not a regular file");
    if (st.size > maxSize)
        return failed(FailureCode::tooLarge, "the file is too large (" + std::to_string(st.size) + " bytes)");
    std::string out;
    char buf[65536];
    for (;;) {
        int err = 0;
        const std::size_t n = file.readAt(out.size(), buf, sizeof buf, err);
        if (err != 0)
            return failed(FailureCode::readFailed, errnoText(err));
        out.append(buf, n);
        if (out.size() > maxSize)
            return failed(FailureCode::tooLarge, "the file is too large");
        if (n < sizeof buf)
            return out;
    }
}

std::string fileTail(const std::string& path, std::size_t n)
{
    File file;
    File::Status st;
    if (file.open(path, File::Access::read) != 0 || file.status(st) != 0)
        return {};
    const std::uint64_t from = st.size > n ? st.size - n : 0;
    std::string tail(static_cast<std::size_t>(st.size - from), '\0');
    int err = 0;
    tail.resize(file.readAt(from, tail.data(), tail.size(), err));
    return tail;
}

long long fileSize(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

bool isRegularFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool mayWrite(const std::string& path)
{
    return ::access(path.c_str(), W_OK) == 0;
}

bool mayRun(const std::string& path)
{
    return ::access(path.c_str(), X_OK) == 0;
}

} // namespace qeln::platform
