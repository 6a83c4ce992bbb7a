// Small POSIX file helpers shared by the table module, the index writer, the
// project file and the settings file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qeln::fileio {

class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// strerror of an errno value.
std::string errnoText(int err);

// The folder part of a path ("." for a bare file name).
std::string directoryOf(const std::string& path);

// Permission bits for a new file: 0666 less the process's umask.
unsigned newFileMode();

// Writes bytes to a new temporary file in the folder of `path` (never at
// `path` itself), flushes it to disk and closes it. Returns its name.
// Throws IoError; a partly written temporary file is removed.
std::string writeTempBeside(const std::string& path, std::string_view bytes);

// Replaces the file at path by bytes: temporary file, flush, rename.
// Throws IoError; on failure the previous file is unchanged.
void replaceFile(const std::string& path, std::string_view bytes);

// Flushes the folder entry of path (after a rename). Failures are ignored.
void syncDirectoryOf(const std::string& path);

enum class ReadStatus { ok, cannotOpen, readFailed, tooLarge };

// Reads a whole regular file (a FIFO or device is refused without blocking).
// `error` gets the system's reason when the status is not ok.
ReadStatus readWholeFile(const std::string& path, std::string& out, std::string& error,
                         std::uint64_t maxSize);

} // namespace qeln::fileio
