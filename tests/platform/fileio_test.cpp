// Files replaced as a whole: what a kill at each step of a commit leaves, and
// the file size limit.
#include "platform/fileio.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace qeln;
using qeln::test::entries;
using qeln::test::TempDir;

namespace {

// Runs body in a child process and returns its wait status.
int inChild(const std::function<void()>& body)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

int g_killAt = 0;
int g_steps = 0;
int g_signal = SIGKILL;

void killAtStep(const char*)
{
    if (++g_steps == g_killAt)
        ::raise(g_signal);
}

void replaceWithBackup(const std::string& path, const std::string& backup, const std::string& bytes)
{
    platform::PendingReplace file(path);
    file.write(bytes);
    file.commit(backup);
}

} // namespace

// The commit's steps after the new file is complete: 1 the backup, 2 the rename.
struct KillCase {
    int step;
    int signal;
    const char* name;
    friend void PrintTo(const KillCase& k, std::ostream* os) { *os << k.name; }
};

class KilledCommit : public testing::TestWithParam<KillCase> {};

TEST_P(KilledCommit, LeavesTheWholePreviousFileUnderTheName)
{
    // Moving the previous file to the backup name first left no file under
    // the name when the commit was killed before the second rename.
    TempDir dir;
    const std::string path = dir.file("p.qln"), backup = dir.file("pBAK");
    replaceWithBackup(path, backup, "older");
    replaceWithBackup(path, backup, "old");
    const KillCase k = GetParam();

    const int status = inChild([&] {
        platform::installSignalHandling();
        g_killAt = k.step;
        g_signal = k.signal;
        platform::setStepHook(killAtStep);
        replaceWithBackup(path, backup, "new");
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), k.signal);

    EXPECT_EQ(test::readFile(path), "old");
    EXPECT_EQ(test::readFile(backup), k.step == 1 ? "older" : "old");
    const auto names = entries(dir.path());
    const long temps = std::count_if(names.begin(), names.end(),
                                     [](const std::string& n) { return n.rfind("p.qln.tmp-", 0) == 0; });
    // SIGKILL cannot be caught: its temporary file stays; the others remove it.
    EXPECT_EQ(temps, k.signal == SIGKILL ? 1 : 0);

    // the next commit goes through and takes the killed one's place
    replaceWithBackup(path, backup, "new");
    EXPECT_EQ(test::readFile(path), "new");
    EXPECT_EQ(test::readFile(backup), "old");
}

INSTANTIATE_TEST_SUITE_P(Steps, KilledCommit,
                         testing::Values(KillCase{1, SIGKILL, "killedBeforeTheBackup"},
                                         KillCase{2, SIGKILL, "killedBeforeTheRename"},
                                         KillCase{1, SIGTERM, "terminatedBeforeTheBackup"},
                                         KillCase{2, SIGINT, "interruptedBeforeTheRename"}),
                         [](const testing::TestParamInfo<KillCase>& i) { return std::string(i.param.name); });

TEST(ReplaceFile, BeyondTheFileSizeLimitTheWriteFailsWithAMessage)
{
    // SIGXFSZ used to end the program without a word (exit 153).
    TempDir dir;
    const std::string path = dir.file("p.qln");
    platform::replaceFile(path, "old");
    const int status = inChild([&] {
        ::signal(SIGXFSZ, SIG_DFL);
        platform::installSignalHandling();
        struct rlimit small {};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 1000;
        ::setrlimit(RLIMIT_FSIZE, &small);
        const auto failed = platform::writeReplacing(path, std::string(5000, 'c'));
        ::_exit(failed && failed->textId == 516 && failed->file == path &&
                        failed->detail.find("File too large") != std::string::npos
                    ? 0
                    : 1);
    });
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(test::readFile(path), "old");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"p.qln"});
}
