// The running program and the programs it starts.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace qeln::platform {

// The folder of the running program (from /proc/self/exe), without a
// trailing '/'; "." when it cannot be told.
std::string programDirectory();

// The value of an environment variable; empty when it is not set.
std::string environmentValue(const char* name);

// This process's id.
long processId();

// What became of a program run by runProcess.
struct ProcessResult {
    enum class Outcome {
        notStarted,   // no pipe (error: its errno)
        spawnFailed,  // the program could not be started (error: its errno)
        stalled,      // no progress for the idle limit: it was killed
        exited,       // code: its exit status
        signalled,    // code: the signal that ended it
    };
    Outcome outcome = Outcome::notStarted;
    int error = 0;
    int code = 0;
    std::string output;   // what it wrote to its standard output
};

// Runs `program` with `arguments` (the first is its argv[0]), hands it
// `input` on its standard input and collects its standard output until it
// closes that; its standard error is this program's. A program that stops
// reading its input ends the handing over (its status tells the rest); a
// broken pipe does not end this program. It counts as hanging, and is
// killed, when for `idleLimit` it neither read nor wrote a byte nor did
// `progressed` (asked at every wake-up, at least once a second) return true.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input, std::chrono::seconds idleLimit,
                         const std::function<bool()>& progressed = {});

} // namespace qeln::platform
