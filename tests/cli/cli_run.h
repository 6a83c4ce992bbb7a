// Runs the built qeln-cli as a process, for the command-line tests: its exit
// status, standard output and standard error, and that output read as JSON.
#pragma once

#include "json.h"
#include "tests/catalogue/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace clirun {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

using qeln::test::readFile;
using qeln::test::writeFile;

inline std::string shellQuote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

// A file name of this test process in a folder of its own, removed with
// everything in it when the process ends.
inline std::string scratch(const std::string& name)
{
    static const qeln::test::TempDir dir;
    return dir.file(name);
}

inline Outcome run(const std::vector<std::string>& args, const std::string& stdinText = "")
{
    const std::string in = scratch("stdin"), out = scratch("stdout"), err = scratch("stderr");
    writeFile(in, stdinText);
    std::string cmd = shellQuote(QELN_CLI);
    // appended, not " " + temporary: -Wrestrict of GCC 12 at -O3
    for (const std::string& a : args)
        cmd.append(" ").append(shellQuote(a));
    cmd.append(" <").append(shellQuote(in)).append(" >").append(shellQuote(out));
    cmd.append(" 2>").append(shellQuote(err));
    const int raw = std::system(cmd.c_str());
    Outcome o;
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    o.out = readFile(out);
    o.err = readFile(err);
    return o;
}

// Standard output read by the program's own strict reader; a failure names where it broke.
inline qeln::json::Value jsonOf(const Outcome& o)
{
    qeln::json::ParseError e;
    auto v = qeln::json::parse(o.out, e);
    EXPECT_TRUE(v.has_value()) << e.message << " at " << e.line << ":" << e.column;
    return v ? *v : qeln::json::Value();
}

// Standard output with its keys in the order written.
inline qeln::json::Ordered orderedOf(const Outcome& o)
{
    try {
        return qeln::json::Ordered::parse(o.out);
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what() << "\n" << o.out;
        return qeln::json::Ordered();
    }
}

} // namespace clirun
