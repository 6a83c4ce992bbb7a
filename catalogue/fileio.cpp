#include "fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace qeln::fileio {

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

std::string writeTempBeside(const std::string& path, std::string_view bytes)
{
    std::string temp = path + ".tmp-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        throw IoError(path + ": cannot create a temporary file beside it: " + errnoText(errno));
    auto fail = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return IoError(temp + ": " + what + ": " + errnoText(err));
    };
    if (::fchmod(fd, static_cast<mode_t>(newFileMode())) != 0)
        throw fail("cannot set its permissions");
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw fail("cannot be written");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0)
        throw fail("cannot be flushed to disk");
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw IoError(temp + ": cannot be closed: " + errnoText(err));
    }
    return temp;
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
    const std::string temp = writeTempBeside(path, bytes);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw IoError(path + ": cannot be replaced: " + errnoText(err));
    }
    syncDirectoryOf(path);
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
