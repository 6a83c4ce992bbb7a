// Where the catalogue is read and written: beside a writable program folder,
// else a per-user copy of the installed table, made once; the command line
// only reads.
#include "catalogue/location.h"
#include "catalogue/profiles.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <set>

using namespace qeln;
using namespace qeln::location;
using qeln::test::TempDir;
using qeln::test::exists;
using qeln::test::readFile;
using qeln::test::writeFile;

namespace {

struct FolderCase {
    const char* name;
    const char* programDir;
    const char* relativeData;
    const char* xdg;
    const char* home;
    const char* beside;
    const char* installed;
    const char* perUser;
};

class Folders : public ::testing::TestWithParam<FolderCase> {};

TEST_P(Folders, FollowTheInstallLayoutAndXdg)
{
    const FolderCase& c = GetParam();
    const CatalogueFolders f = foldersFor(c.programDir, c.relativeData, c.xdg, c.home);
    EXPECT_EQ(f.beside, c.beside);
    EXPECT_EQ(f.installed, c.installed);
    EXPECT_EQ(f.perUser, c.perUser);
}

INSTANTIATE_TEST_SUITE_P(
    Location, Folders,
    ::testing::Values(
        FolderCase{"usr", "/usr/bin", "../share/qeln", nullptr, "/home/ann", "/usr/bin", "/usr/share/qeln",
                   "/home/ann/.local/share/qeln"},
        FolderCase{"xdg", "/usr/bin/", "../share/qeln", "/data/ann/", "/home/ann", "/usr/bin", "/usr/share/qeln",
                   "/data/ann/qeln"},
        // a relative XDG_DATA_HOME is invalid by the XDG rules and ignored
        FolderCase{"relativeXdg", "/opt/q/bin", "../share/qeln", "data", "/home/ann", "/opt/q/bin", "/opt/q/share/qeln",
                   "/home/ann/.local/share/qeln"},
        FolderCase{"emptyXdg", "/opt/q/bin", "../data", "", "/root", "/opt/q/bin", "/opt/q/data", "/root/.local/share/qeln"},
        FolderCase{"nothingSet", "/opt/q/bin", "../share/qeln", nullptr, "", "/opt/q/bin", "/opt/q/share/qeln", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A program folder with or without a table, an installed folder with or
// without one, an empty home; writing is allowed or refused by a predicate
// (the tests run as root, where the file modes do not stop anything).
struct Layout {
    TempDir dir;
    CatalogueFolders f;
    std::set<std::string> readOnly;
    WritablePredicate canWrite = [this](const std::string& p) { return readOnly.count(p) == 0; };

    Layout(bool tableBeside, bool tableInstalled)
    {
        ::mkdir(dir.file("bin").c_str(), 0755);
        ::mkdir(dir.file("share").c_str(), 0755);
        ::mkdir(dir.file("share/qeln").c_str(), 0755);
        f = foldersFor(dir.file("bin"), "../share/qeln", nullptr, dir.file("home").c_str());
        if (tableBeside)
            writeFile(f.beside + "/PROFKVL2.DBF", "beside table");
        if (tableInstalled)
            writeFile(f.installed + "/PROFKVL2.DBF", "installed table");
    }
    void programFolderReadOnly() { readOnly = {f.beside, f.beside + "/PROFKVL2.DBF"}; }
    std::string userTable() const { return f.perUser + "/PROFKVL2.DBF"; }
};

} // namespace

TEST(CatalogueLocation, WritableFolderBesideTheProgramIsUsedInPlace)
{
    Layout l(true, true);
    for (const Choice& c : {writableCatalogue(l.f, l.canWrite), readableCatalogue(l.f, l.canWrite)}) {
        EXPECT_EQ(c.folder, l.f.beside);
        EXPECT_EQ(c.table(), l.f.beside + "/PROFKVL2.DBF");
        EXPECT_FALSE(c.copied);
    }
    EXPECT_FALSE(exists(l.f.perUser));
}

// A table beside the program that cannot be edited in place, read-only itself
// or in a read-only folder, is read there and is the source of the per-user
// copy, before the installed one.
TEST(CatalogueLocation, TableBesideThatCannotBeWrittenIsTheSourceOfTheCopy)
{
    for (bool folderReadOnly : {false, true}) {
        SCOPED_TRACE(folderReadOnly ? "read-only folder" : "read-only table");
        Layout l(true, true);
        l.readOnly = {l.f.beside + "/PROFKVL2.DBF"};
        if (folderReadOnly)
            l.programFolderReadOnly();
        EXPECT_EQ(readableCatalogue(l.f, l.canWrite).folder, l.f.beside);
        EXPECT_EQ(writableCatalogue(l.f, l.canWrite).folder, l.f.perUser);
        EXPECT_EQ(readFile(l.userTable()), "beside table");
    }
}

TEST(CatalogueLocation, ReadOnlyInstallationGetsAPerUserCopyMadeOnceAndReused)
{
    Layout l(false, true);
    l.programFolderReadOnly();
    // the command line reads the installed table and copies nothing
    Choice r = readableCatalogue(l.f, l.canWrite);
    EXPECT_EQ(r.folder, l.f.installed);
    EXPECT_FALSE(exists(l.f.perUser));

    const Choice first = writableCatalogue(l.f, l.canWrite);
    EXPECT_EQ(first.folder, l.f.perUser);
    EXPECT_TRUE(first.copied);
    EXPECT_EQ(readFile(l.userTable()), "installed table");
    struct stat st {};
    ASSERT_EQ(::stat(l.userTable().c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IWUSR);

    // the user's edits stay: the copy is reused, never made again
    writeFile(l.userTable(), "edited by the user");
    writeFile(l.f.installed + "/PROFKVL2.DBF", "a newer installed table");
    const Choice second = writableCatalogue(l.f, l.canWrite);
    EXPECT_EQ(second.folder, l.f.perUser);
    EXPECT_FALSE(second.copied);
    EXPECT_EQ(readFile(l.userTable()), "edited by the user");
    // and the command line reads the same table as the desktop program
    EXPECT_EQ(readableCatalogue(l.f, l.canWrite).folder, l.f.perUser);
}

TEST(CatalogueLocation, MissingInstalledTableIsAClearMessage)
{
    Layout l(false, false);
    l.programFolderReadOnly();
    for (const Choice& c : {writableCatalogue(l.f, l.canWrite), readableCatalogue(l.f, l.canWrite)}) {
        EXPECT_TRUE(c.folder.empty());
        EXPECT_NE(c.error.find("PROFKVL2.DBF is not installed"), std::string::npos) << c.error;
        EXPECT_NE(c.error.find(l.f.beside + "/PROFKVL2.DBF"), std::string::npos) << c.error;
        EXPECT_NE(c.error.find(l.f.installed + "/PROFKVL2.DBF"), std::string::npos) << c.error;
    }
    EXPECT_FALSE(exists(l.f.perUser));
}

TEST(CatalogueLocation, NoPerUserFolderOrOneThatCannotBeMadeIsAClearMessage)
{
    Layout l(false, true);
    l.programFolderReadOnly();
    l.f.perUser.clear();
    Choice c = writableCatalogue(l.f, l.canWrite);
    EXPECT_TRUE(c.folder.empty());
    EXPECT_NE(c.error.find("neither XDG_DATA_HOME nor HOME"), std::string::npos) << c.error;
    EXPECT_EQ(readableCatalogue(l.f, l.canWrite).folder, l.f.installed);

    // a plain file where the data folder should be (refused even for root)
    writeFile(l.dir.file("blocker"), "");
    l.f.perUser = l.dir.file("blocker/qeln");
    c = writableCatalogue(l.f, l.canWrite);
    EXPECT_TRUE(c.folder.empty());
    EXPECT_NE(c.error.find("Could not create the folder " + l.f.perUser), std::string::npos) << c.error;
}

// The real thing: an installed tree whose folders are read-only by their mode,
// the catalogue opened with its index from the chosen folder.
TEST(CatalogueLocation, ReadOnlyInstalledTreeByItsFileModes)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: file modes do not stop writing (the predicate tests above cover it)";
    TempDir dir;
    const std::string bin = dir.file("bin"), data = dir.file("share");
    ::mkdir(bin.c_str(), 0755);
    ::mkdir(data.c_str(), 0755);
    ::mkdir((data + "/qeln").c_str(), 0755);
    {
        dbf::Table t = dbf::Table::create(data + "/qeln/PROFKVL2.DBF", ProfileCatalogue::tableFields(1));
        dbf::Record r = t.blankRecord();
        ProfileCatalogue::fillRecord(r, SteelProfile{"HE 320 A", 310, 300, 9, 15.5, 27, true, 1});
        t.append(r);
    }
    ::chmod((data + "/qeln/PROFKVL2.DBF").c_str(), 0444);
    ::chmod((data + "/qeln").c_str(), 0555);
    ::chmod(bin.c_str(), 0555);
    const CatalogueFolders f = foldersFor(bin, "../share/qeln", dir.file("xdg").c_str(), nullptr);

    const Choice r = readableCatalogue(f);
    ASSERT_EQ(r.folder, data + "/qeln") << r.error;
    EXPECT_EQ(ProfileCatalogue::open(r.table(), "").recordCount(), 1);

    const Choice c = writableCatalogue(f);
    ASSERT_EQ(c.folder, dir.file("xdg/qeln")) << c.error;
    EXPECT_EQ(ProfileCatalogue::open(c.table(), c.folder + "/profkvl2.ntx").recordCount(), 1);
    EXPECT_TRUE(exists(c.folder + "/profkvl2.ntx"));
    EXPECT_FALSE(exists(data + "/qeln/profkvl2.ntx"));

    ::chmod(bin.c_str(), 0755);
    ::chmod((data + "/qeln").c_str(), 0755);
}
