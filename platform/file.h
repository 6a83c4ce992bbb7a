// An open file that closes itself, for the code that reads and writes a
// file in place (the table module) or streams into one (the PDF writer).
// Every call returns 0 or the system's error number (errno) of its failure;
// the callers word their own messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qeln::platform {

class File {
public:
    enum class Access { read, readWrite };

    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens an existing file. A FIFO or device at `path` does not block the
    // open (see status() for what it is).
    int open(const std::string& path, Access access);
    // Creates or empties `path` for writing (permission bits `mode` less the
    // umask); with `mustBeNew`, a file or link already there is an error.
    int create(const std::string& path, unsigned mode = 0666, bool mustBeNew = false);
    // Closes the file (dropping its lock); the error of the close, if any.
    int close();
    bool isOpen() const { return fd_ >= 0; }

    struct Status {
        bool regular = false;
        bool folder = false;
        std::uint64_t size = 0;
        unsigned mode = 0;   // permission bits (07777)
    };
    int status(Status& out) const;

    // Reads up to n bytes at offset into `into`, fewer only at the end of
    // the file or on an error; the count read.
    std::size_t readAt(std::uint64_t offset, char* into, std::size_t n, int& error) const;
    int writeAt(std::uint64_t offset, std::string_view bytes);
    // Appends at the current position.
    int write(std::string_view bytes);
    int sync();
    int setMode(unsigned mode);
    int setOwner(unsigned uid, unsigned gid);

    // An advisory lock on the whole file without waiting: per open file
    // where the system has such locks (so two opens in one program see each
    // other), else per process. EAGAIN or EACCES: someone else holds one.
    int lock(bool exclusive);

private:
    friend class TempFile;
    int fd_ = -1;
};

// A new file beside `path` (named path.tmp-XXXXXX) that is removed again
// unless renameOver() gave it its target's name.
class TempFile {
public:
    TempFile() = default;
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int create(const std::string& path);
    File& file() { return file_; }
    const std::string& path() const { return path_; }
    // Renames the file over `target`; it then is no temporary file any more.
    int renameOver(const std::string& target);
    // Closes and removes the file (done by the destructor too).
    void discard();

private:
    File file_;
    std::string path_;
    bool renamed_ = false;
};

// Why replaceWhole failed: the step, the system's error number and the
// temporary file's name (which is removed again).
struct ReplaceFailure {
    enum class Step { none, createTemp, setMode, write, flush, lock, rename };
    Step step = Step::none;
    int error = 0;
    std::string temp;
    explicit operator bool() const { return step != Step::none; }
};

// Writes `bytes` to a new file beside `path` with the permission bits
// `mode`, flushes it to disk and renames it over path in one step, then
// flushes the folder. With `keep`, the new file is locked exclusively before
// it takes the name and is handed over, open, in *keep. On failure path is
// unchanged and nothing is left beside it.
ReplaceFailure replaceWhole(const std::string& path, std::string_view bytes, unsigned mode, File* keep = nullptr);

} // namespace qeln::platform
