// Files replaced as a whole (project and settings files): what a kill at each
// step of a save leaves, the file size limit, the mode, read-only files and
// symbolic links.
#include "catalogue/fileio.h"
#include "shell/projectfile.h"
#include "shell/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace qeln;
using qeln::test::TempDir;

namespace {

std::vector<std::string> entries(const std::string& dir)
{
    std::vector<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (dirent* e = ::readdir(d))
            if (e->d_name[0] != '.')
                names.push_back(e->d_name);
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

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

ColumnInput named(const char* name)
{
    ColumnInput in;
    in.projectName = name;
    return in;
}

unsigned modeOf(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

} // namespace

// The save's steps after the new file is complete: 1 the backup, 2 the rename.
struct KillCase {
    int step;
    int signal;
    const char* name;
    friend void PrintTo(const KillCase& k, std::ostream* os) { *os << k.name; }
};

class KilledSave : public testing::TestWithParam<KillCase> {};

TEST_P(KilledSave, LeavesTheWholePreviousFileUnderTheName)
{
    // Moving the previous file to the backup name first left no file under
    // the project's name when the save was killed before the second rename.
    TempDir dir;
    const std::string path = dir.file("p.qln");
    ASSERT_TRUE(SaveProjectFile(path, named("older")).ok());
    ASSERT_TRUE(SaveProjectFile(path, named("old")).ok());
    const std::string older = test::readFile(dir.file("pBAK"));
    const std::string old = test::readFile(path);
    const KillCase k = GetParam();

    const int status = inChild([&] {
        fileio::installSignalHandling();
        g_killAt = k.step;
        g_signal = k.signal;
        fileio::setStepHook(killAtStep);
        (void)SaveProjectFile(path, named("new"));
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), k.signal);

    EXPECT_EQ(test::readFile(path), old);
    EXPECT_EQ(test::readFile(dir.file("pBAK")), k.step == 1 ? older : old);
    const auto names = entries(dir.path());
    const long temps = std::count_if(names.begin(), names.end(),
                                     [](const std::string& n) { return n.rfind("p.qln.tmp-", 0) == 0; });
    // SIGKILL cannot be caught: its temporary file stays; the others remove it.
    EXPECT_EQ(temps, k.signal == SIGKILL ? 1 : 0);

    // the next save goes through and takes the killed one's place
    ASSERT_TRUE(SaveProjectFile(path, named("new")).ok());
    EXPECT_NE(test::readFile(path).find("new"), std::string::npos);
    EXPECT_EQ(test::readFile(dir.file("pBAK")), old);
}

INSTANTIATE_TEST_SUITE_P(Steps, KilledSave,
                         testing::Values(KillCase{1, SIGKILL, "killedBeforeTheBackup"},
                                         KillCase{2, SIGKILL, "killedBeforeTheRename"},
                                         KillCase{1, SIGTERM, "terminatedBeforeTheBackup"},
                                         KillCase{2, SIGINT, "interruptedBeforeTheRename"}),
                         [](const testing::TestParamInfo<KillCase>& i) { return std::string(i.param.name); });

TEST(ReplaceFile, BeyondTheFileSizeLimitTheSaveFailsWithAMessage)
{
    // SIGXFSZ used to end the program without a word (exit 153).
    TempDir dir;
    const std::string path = dir.file("p.qln");
    ASSERT_TRUE(SaveProjectFile(path, named("old")).ok());
    const std::string old = test::readFile(path);
    const int status = inChild([&] {
        ::signal(SIGXFSZ, SIG_DFL);
        fileio::installSignalHandling();
        struct rlimit small {};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 1000;
        ::setrlimit(RLIMIT_FSIZE, &small);
        ColumnInput in = named("new");
        in.comment = std::string(5000, 'c');
        const ProjectFileResult r = SaveProjectFile(path, in);
        ::_exit(r.textId() == 516 && r.detail.find("File too large") != std::string::npos ? 0 : 1);
    });
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(test::readFile(path), old);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"p.qln"});
}

// The same rules for every file the programs replace.
struct Writer {
    const char* name;
    bool (*write)(const std::string& path);
    const char* marker;   // in the written content
    friend void PrintTo(const Writer& w, std::ostream* os) { *os << w.name; }
};

class ReplacedFile : public testing::TestWithParam<Writer> {};

TEST_P(ReplacedFile, KeepsItsMode)
{
    TempDir dir;
    const std::string path = dir.file("f.ini");
    test::writeFile(path, "x\n");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(GetParam().write(path));
    EXPECT_EQ(modeOf(path), 0600u);   // came back 0644
    EXPECT_NE(test::readFile(path).find(GetParam().marker), std::string::npos);
}

TEST_P(ReplacedFile, RefusesAReadOnlyFileEvenForRoot)
{
    TempDir dir;
    const std::string path = dir.file("f.ini");
    test::writeFile(path, "x\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(GetParam().write(path));
    EXPECT_EQ(test::readFile(path), "x\n");
    EXPECT_EQ(modeOf(path), 0444u);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"f.ini"});
}

TEST_P(ReplacedFile, WritesThroughASymbolicLink)
{
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("real").c_str(), 0755), 0);
    test::writeFile(dir.file("real/f.ini"), "x\n");
    ASSERT_EQ(::symlink("real/f.ini", dir.file("link.ini").c_str()), 0);   // relative to the link's folder
    ASSERT_TRUE(GetParam().write(dir.file("link.ini")));
    struct stat st {};
    ASSERT_EQ(::lstat(dir.file("link.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));   // was replaced by a plain file
    EXPECT_NE(test::readFile(dir.file("real/f.ini")).find(GetParam().marker), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, ReplacedFile,
    testing::Values(Writer{"projectFile", [](const std::string& p) { return SaveProjectFile(p, named("written")).ok(); },
                           "written"},
                    Writer{"settingsFile",
                           [](const std::string& p) {
                               std::string error;
                               return SettingsFile(p).write(Settings{10000, "written", "u"}, error);
                           },
                           "enterprise=written"}),
    [](const testing::TestParamInfo<Writer>& i) { return std::string(i.param.name); });

TEST(ReplaceFile, AProjectBehindALinkKeepsItsBackupBesideIt)
{
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("real").c_str(), 0755), 0);
    ASSERT_TRUE(SaveProjectFile(dir.file("real/col.qln"), named("first")).ok());
    ASSERT_EQ(::symlink(dir.file("real/col.qln").c_str(), dir.file("p.qln").c_str()), 0);
    ASSERT_TRUE(SaveProjectFile(dir.file("p.qln"), named("second")).ok());
    EXPECT_NE(test::readFile(dir.file("real/colBAK")).find("first"), std::string::npos);
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"p.qln", "real"}));

    // the reason of a refused save names no temporary file
    ASSERT_EQ(::chmod(dir.file("real/col.qln").c_str(), 0400), 0);
    const ProjectFileResult r = SaveProjectFile(dir.file("p.qln"), named("third"));
    EXPECT_EQ(r.textId(), 516);
    EXPECT_EQ(r.describe(), dir.file("p.qln") + ": the file is read-only");
}
