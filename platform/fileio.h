// The file helpers shared by the index writer, the catalogue's location, the
// project file, the settings file and the outputs of both programs.
//
// Every file the programs write is replaced as a whole: the new content goes
// to a temporary file beside the target, is flushed to disk, and takes the
// target's name in one rename. So the name always holds either the previous
// or the new file, whatever happens in between (a kill, a full disk, a file
// size limit). A symbolic link is written through to the file it points to;
// the replaced file keeps its permission bits (and its owner where the
// system allows); a target without any write permission bit is refused even
// for a user who could write it anyway (root).
#pragma once

#include "failure.h"
#include "file.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qeln::platform {

// what() is "file: reason"; reason() the part after the file's name.
class IoError : public std::runtime_error {
public:
    IoError(const std::string& file, const std::string& reason)
        : std::runtime_error(file + ": " + reason), reason_(reason)
    {
    }
    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
};

// strerror of an errno value.
std::string errnoText(int err);

// The folder part of a path ("." for a bare file name).
std::string directoryOf(const std::string& path);

// Permission bits for a new file: 0666 less the process's umask.
unsigned newFileMode();

// The file a write to `path` really changes: path itself, or the end of the
// chain of symbolic links at path (which need not exist yet). Throws IoError
// for a chain that does not end (ELOOP).
std::string resolveWriteTarget(const std::string& path);

// True when both paths name one existing file (same device and inode, links
// followed).
bool sameFile(const std::string& a, const std::string& b);

// A new file that takes the place of `path` on commit():
//  - the constructor resolves links (target()), refuses a target that is not
//    a regular file or has no write permission, and creates the temporary
//    file beside the target with the target's permission bits (new files:
//    newFileMode());
//  - write() appends bytes; a writer that opens the file by name (a PDF
//    writer) may use tempPath() instead;
//  - commit() flushes the file to disk, optionally makes `backup` a hard link
//    to (failing that, a copy of) the previous file, then renames the
//    temporary file over the target and flushes the folder;
//  - without commit() (an exception, an early return) the temporary file is
//    removed. A temporary file that a kill by SIGINT, SIGTERM or SIGHUP would
//    leave behind is removed too (installSignalHandling).
// Every failure throws IoError with the file's name and the reason.
class PendingReplace {
public:
    explicit PendingReplace(const std::string& path);
    ~PendingReplace();
    PendingReplace(const PendingReplace&) = delete;
    PendingReplace& operator=(const PendingReplace&) = delete;

    const std::string& target() const { return target_; }
    const std::string& tempPath() const { return temp_.path(); }
    void write(std::string_view bytes);
    // backup: "" for none. Failures of the backup step are ignored (the
    // previous file stays in place until the rename).
    void commit(const std::string& backup = {});

private:
    void discard();
    std::string path_;     // as given, for messages
    std::string target_;   // links resolved
    TempFile temp_;
    bool open_ = false;    // the temporary file may still be written
    int slot_ = -1;        // entry in the table the signal handler removes
    bool committed_ = false;
};

// Replaces the file at path by bytes (PendingReplace without a backup).
// Throws IoError; on failure the previous file is unchanged.
void replaceFile(const std::string& path, std::string_view bytes);

// An output replaced as a whole: `write` fills the PendingReplace of path
// (with write(), or by name through tempPath()), which is committed when it
// returns no failure. Otherwise the failure (writeFailed, text 516 "Error
// during Writing of File", the path, and IoError::reason() or the detail of
// the failure `write` returned); the previous file is then unchanged.
using ReplaceWriter = std::function<std::optional<Failure>(PendingReplace& file)>;
std::optional<Failure> writeReplacing(const std::string& path, const ReplaceWriter& write);
// The same for bytes at hand.
std::optional<Failure> writeReplacing(const std::string& path, std::string_view bytes);

// Flushes the folder entry of path (after a rename). Failures are ignored.
void syncDirectoryOf(const std::string& path);

// For tests: called with the name of each step of commit() that changes the
// file system ("backup", "rename") just before it is taken. A test child
// process kills itself there to show what a kill at that moment leaves.
using StepHook = void (*)(const char* step);
void setStepHook(StepHook hook);

// Process-wide, once at start: a write beyond the file size limit (ulimit -f)
// fails with EFBIG and a message instead of killing the program (SIGXFSZ is
// ignored); SIGINT, SIGTERM and SIGHUP first remove the temporary files of
// replaces in progress, then end the program as before.
void installSignalHandling();

// Reads a whole regular file (a FIFO or device is refused without blocking).
// The failure is cannotOpen, readFailed or tooLarge, with the file and the
// system's reason.
Result<std::string> readWholeFile(const std::string& path, std::uint64_t maxSize);

// Up to the last n bytes of a file; empty when it cannot be read.
std::string fileTail(const std::string& path, std::size_t n);

// The size of the file at path (links followed); -1 when there is none.
long long fileSize(const std::string& path);

// Is there a regular file at path (links followed)?
bool isRegularFile(const std::string& path);

// May this process write the file or folder? (access(2) with W_OK; note
// that root may write almost everywhere.)
bool mayWrite(const std::string& path);

// Whether a program file may be run (access(2) with X_OK).
bool mayRun(const std::string& path);

} // namespace qeln::platform
