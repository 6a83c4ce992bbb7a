// The project and settings files are replaced as a whole by the same rules:
// the mode, read-only files, symbolic links and the backup beside a link's file.
#include "shell/projectfile.h"
#include "shell/settings.h"
#include "tests/catalogue/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

using namespace qeln;
using qeln::test::entries;
using qeln::test::TempDir;

namespace {

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
    testing::Values(Writer{"projectFile", [](const std::string& p) { return !SaveProjectFile(p, named("written")); },
                           "written"},
                    Writer{"settingsFile",
                           [](const std::string& p) { return !SettingsFile(p).write(Settings{Language::French, "written", "u"}); },
                           "enterprise=written"}),
    [](const testing::TestParamInfo<Writer>& i) { return std::string(i.param.name); });

TEST(ReplaceFile, AProjectBehindALinkKeepsItsBackupBesideIt)
{
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("real").c_str(), 0755), 0);
    ASSERT_FALSE(SaveProjectFile(dir.file("real/col.qln"), named("first")));
    ASSERT_EQ(::symlink(dir.file("real/col.qln").c_str(), dir.file("p.qln").c_str()), 0);
    ASSERT_FALSE(SaveProjectFile(dir.file("p.qln"), named("second")));
    EXPECT_NE(test::readFile(dir.file("real/colBAK")).find("first"), std::string::npos);
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"p.qln", "real"}));

    // the reason of a refused save names no temporary file
    ASSERT_EQ(::chmod(dir.file("real/col.qln").c_str(), 0400), 0);
    const std::optional<Failure> r = SaveProjectFile(dir.file("p.qln"), named("third"));
    EXPECT_EQ(r->textId, 516);
    EXPECT_EQ(r->describe(), dir.file("p.qln") + ": the file is read-only");
}
