#include "file.h"

#include "fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace qeln::platform {

File::~File()
{
    close();
}

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

int File::open(const std::string& path, Access access)
{
    close();
    // O_NONBLOCK keeps a FIFO or device at that path from blocking the open;
    // reads and writes of the file itself block as usual.
    fd_ = ::open(path.c_str(), (access == Access::readWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0)
        return errno;
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0)
        (void)::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    return 0;
}

int File::create(const std::string& path, unsigned mode, bool mustBeNew)
{
    close();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (mustBeNew ? O_EXCL : O_TRUNC), static_cast<mode_t>(mode));
    return fd_ < 0 ? errno : 0;
}

int File::close()
{
    if (fd_ < 0)
        return 0;
    const int fd = std::exchange(fd_, -1);
    return ::close(fd) == 0 ? 0 : errno;
}

int File::status(Status& out) const
{
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        return errno;
    out.regular = S_ISREG(st.st_mode);
    out.folder = S_ISDIR(st.st_mode);
    out.size = static_cast<std::uint64_t>(st.st_size);
    out.mode = st.st_mode & 07777;
    return 0;
}

std::size_t File::readAt(std::uint64_t offset, char* into, std::size_t n, int& error) const
{
    error = 0;
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd_, into + got, n - got, static_cast<off_t>(offset + got));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            break;
        }
        if (r == 0)
            break;
        got += static_cast<std::size_t>(r);
    }
    return got;
}

int File::writeAt(std::uint64_t offset, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int File::write(std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int File::sync()
{
    return ::fsync(fd_) == 0 ? 0 : errno;
}

int File::setMode(unsigned mode)
{
    return ::fchmod(fd_, static_cast<mode_t>(mode)) == 0 ? 0 : errno;
}

int File::setOwner(unsigned uid, unsigned gid)
{
    return ::fchown(fd_, static_cast<uid_t>(uid), static_cast<gid_t>(gid)) == 0 ? 0 : errno;
}

int File::lock(bool exclusive)
{
    struct flock fl {};
    fl.l_type = exclusive ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
#ifdef F_OFD_SETLK
    if (::fcntl(fd_, F_OFD_SETLK, &fl) == 0)
        return 0;
    if (errno != EINVAL)
        return errno;
#endif
    return ::fcntl(fd_, F_SETLK, &fl) == 0 ? 0 : errno;
}

TempFile::~TempFile()
{
    discard();
}

int TempFile::create(const std::string& path)
{
    discard();
    std::string pattern = path + ".tmp-XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    file_.fd_ = fd;
    path_ = std::move(pattern);
    renamed_ = false;
    return 0;
}

int TempFile::renameOver(const std::string& target)
{
    if (::rename(path_.c_str(), target.c_str()) != 0)
        return errno;
    renamed_ = true;
    return 0;
}

void TempFile::discard()
{
    file_.close();
    if (!path_.empty() && !renamed_)
        ::unlink(path_.c_str());
    path_.clear();
}

ReplaceFailure replaceWhole(const std::string& path, std::string_view bytes, unsigned mode, File* keep)
{
    using Step = ReplaceFailure::Step;
    TempFile temp;
    if (const int err = temp.create(path))
        return {Step::createTemp, err, {}};
    auto failed = [&](Step step, int err) { return ReplaceFailure{step, err, temp.path()}; };
    if (const int err = temp.file().setMode(mode))
        return failed(Step::setMode, err);
    if (const int err = temp.file().writeAt(0, bytes))
        return failed(Step::write, err);
    if (const int err = temp.file().sync())
        return failed(Step::flush, err);
    if (keep) {
        // locked before it takes the name: no one sees it unlocked there
        if (const int err = temp.file().lock(true))
            return failed(Step::lock, err);
    }
    if (const int err = temp.renameOver(path))
        return failed(Step::rename, err);
    syncDirectoryOf(path);
    if (keep)
        *keep = std::move(temp.file());
    return {};
}

} // namespace qeln::platform
