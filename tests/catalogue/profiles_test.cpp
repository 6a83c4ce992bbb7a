// The profile catalogue: display order, index file, filter, navigation,
// Profilsuchen, editing, and the table the build writes.
#include "catalogue/ntx.h"
#include "catalogue/profiles.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace qeln;
using qeln::test::TempDir;

namespace {

SteelProfile prof(const std::string& name, double did, double h = 300)
{
    return SteelProfile{name, h, 300, 9, 15.5, 27, false, did};
}

// Rows in stored order; their DIDs put them in another display order, with
// two equal keys that must keep their record order.
const std::vector<SteelProfile>& sampleRows()
{
    static const std::vector<SteelProfile> rows = {
        prof("HE 300 A", 30), prof("IPE 300", 10), prof("HE 320 A", 40, 310), prof("HE 320 B", 40, 320),
        prof("HD 400 x 187", 50), prof("HE 340 A", 35), prof("HEB", 60), prof("IPE 80", 5),
    };
    return rows;
}

std::string writeSample(const TempDir& dir)
{
    const std::string path = dir.file("PROFKVL2.DBF");
    dbf::Table t = dbf::Table::create(path, ProfileCatalogue::tableFields(1));
    for (const auto& p : sampleRows()) {
        dbf::Record r = t.blankRecord();
        ProfileCatalogue::fillRecord(r, p);
        t.append(r);
    }
    return path;
}

std::vector<std::string> visibleNames(const ProfileCatalogue& c)
{
    std::vector<std::string> out;
    for (int rec : c.visibleRecords())
        out.push_back(c.row(rec).profileName);
    return out;
}

std::string texts(int id)
{
    return id == 1148 ? "Profile" : id == 1149 ? "not found in database" : "***";
}

using Names = std::vector<std::string>;

} // namespace

TEST(ProfileCatalogue, DisplayOrderFollowsDidAndTheIndexFileAgrees)
{
    TempDir dir;
    const std::string path = writeSample(dir);
    const std::string ntxPath = dir.file("profkvl2.ntx");
    ProfileCatalogue c = ProfileCatalogue::open(path, ntxPath);
    EXPECT_EQ(visibleNames(c), (Names{"IPE 80", "IPE 300", "HE 300 A", "HE 340 A", "HE 320 A", "HE 320 B",
                                      "HD 400 x 187", "HEB"}));
    EXPECT_EQ(c.current()->profileName, "IPE 80");
    EXPECT_FALSE(c.naturalOrder());

    // The leaf of the (one-page) index lists the records in the same order.
    const std::string f = test::readFile(ntxPath);
    ASSERT_EQ(f.size(), 2 * ntx::kPageSize);
    ASSERT_EQ(static_cast<unsigned char>(f[1024]), 8);
    std::vector<int> fromIndex;
    for (int k = 0; k < 8; ++k) {
        const std::size_t at = 1024 + (static_cast<unsigned char>(f[1024 + 2 + 2 * k]) |
                                       (static_cast<unsigned char>(f[1024 + 3 + 2 * k]) << 8));
        fromIndex.push_back(static_cast<unsigned char>(f[at + 4]) - 1);
        if (k == 0) {
            EXPECT_EQ(f.substr(at + 8, 10), "0000000005");
        }
    }
    EXPECT_EQ(fromIndex, c.order());
}

TEST(ProfileCatalogue, FilterPassesNamesBeginningWithTheText)
{
    TempDir dir;
    ProfileCatalogue c = ProfileCatalogue::open(writeSample(dir), "");
    c.setFilter("HE");
    EXPECT_EQ(visibleNames(c), (Names{"HE 300 A", "HE 340 A", "HE 320 A", "HE 320 B", "HEB"}));
    EXPECT_EQ(c.current()->profileName, "HE 300 A");
    c.setFilter("HE 3");
    EXPECT_EQ(visibleNames(c), (Names{"HE 300 A", "HE 340 A", "HE 320 A", "HE 320 B"}));
    c.setFilter("he");   // the comparison is case-sensitive
    EXPECT_TRUE(visibleNames(c).empty());
    EXPECT_TRUE(c.eof());
    EXPECT_FALSE(c.current().has_value());
    c.setFilter("HE 320 A ");   // the field's blanks count, as in xBase
    EXPECT_EQ(visibleNames(c), (Names{"HE 320 A"}));
    c.setFilter(std::string(31, ' '));   // longer than the field: nothing
    EXPECT_TRUE(visibleNames(c).empty());
    c.setFilter("");
    EXPECT_EQ(visibleNames(c).size(), 8u);
    c.setFilter("*");
    EXPECT_FALSE(c.filter().has_value());
    EXPECT_EQ(visibleNames(c).size(), 8u);
}

TEST(ProfileCatalogue, BoxTextIsUpperCasedAndLongTextsMoveToTheExactName)
{
    TempDir dir;
    ProfileCatalogue c = ProfileCatalogue::open(writeSample(dir), "");
    EXPECT_EQ(c.applyFamilyText("ipe"), "IPE");
    EXPECT_EQ(visibleNames(c), (Names{"IPE 80", "IPE 300"}));
    EXPECT_EQ(c.current()->profileName, "IPE 300");   // no exact "IPE": the last visible row
    EXPECT_TRUE(c.eof());
    c.next();   // past the end: stays there
    EXPECT_EQ(c.current()->profileName, "IPE 300");

    EXPECT_EQ(c.applyFamilyText("he 320 a"), "HE 320 A");
    EXPECT_EQ(c.current()->profileName, "HE 320 A");
    EXPECT_FALSE(c.eof());

    c.applyFamilyText("HE 3");   // no exact match: the last visible row
    EXPECT_EQ(c.current()->profileName, "HE 320 B");
    EXPECT_TRUE(c.eof());

    c.applyFamilyText("HE");     // two characters: filter only, first visible row
    EXPECT_EQ(c.current()->profileName, "HE 300 A");
    EXPECT_FALSE(c.eof());

    EXPECT_EQ(c.applyFamilyText("*"), "*");
    EXPECT_EQ(c.current()->profileName, "HE 300 A");   // clearing keeps the row
    EXPECT_EQ(c.applyFamilyText("é"), "É");
}

TEST(ProfileCatalogue, ProfilsuchenFindsExactNamesAndClearsTheFilter)
{
    TempDir dir;
    ProfileCatalogue c = ProfileCatalogue::open(writeSample(dir), "");
    RecordingSink sink;
    c.setFilter("IPE");
    ASSERT_TRUE(c.Profilsuchen("HE 320 A", texts, &sink));
    EXPECT_FALSE(c.filter().has_value());
    EXPECT_EQ(c.current()->h, 310);
    EXPECT_TRUE(sink.messages.empty());

    for (const char* name : {"HE 3", "he 320 a", "HE 320 A ", " HE 320 A", ""}) {
        sink.messages.clear();
        EXPECT_FALSE(c.Profilsuchen(name, texts, &sink)) << name;
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0], std::string("Profile ") + name + " not found in database");
        EXPECT_EQ(c.current()->profileName, "HEB") << "the search ends on the last row";
        EXPECT_TRUE(c.eof());
    }
    EXPECT_FALSE(c.Profilsuchen("X", texts, nullptr));
}

TEST(ProfileCatalogue, EditedRowsTakeTheirPlaceAndADeletionPacksTheFile)
{
    TempDir dir;
    const std::string path = writeSample(dir);
    {
        ProfileCatalogue c = ProfileCatalogue::open(path, "");
        const int rec = c.appendRow(prof("HE 310 A", 37));
        EXPECT_EQ(rec, 8);
        EXPECT_EQ(c.current()->profileName, "HE 310 A");
        EXPECT_EQ(visibleNames(c)[4], "HE 310 A");   // between DID 35 and 40
        c.updateRow(1, prof("IPE 300", 55));          // IPE 300 moves behind HD 400
        EXPECT_EQ(c.current()->profileName, "IPE 300");
        EXPECT_EQ(visibleNames(c)[7], "IPE 300");
        EXPECT_THROW(c.appendRow(prof(std::string(31, 'X'), 1)), dbf::Error);
        EXPECT_EQ(c.recordCount(), 9);

        ASSERT_TRUE(c.Profilsuchen("HE 320 A", texts, nullptr));
        const auto failed = c.deleteCurrent();
        ASSERT_FALSE(failed) << failed->describe();
        EXPECT_TRUE(c.naturalOrder());
        EXPECT_EQ(c.recordCount(), 8);
        EXPECT_EQ(visibleNames(c), (Names{"HE 300 A", "IPE 300", "HE 320 B", "HD 400 x 187", "HE 340 A", "HEB",
                                          "IPE 80", "HE 310 A"}));
        EXPECT_EQ(c.current()->profileName, "HE 300 A");
        // In stored order an appended row goes to the end.
        c.appendRow(prof("HE 100 A", 1));
        EXPECT_EQ(visibleNames(c).back(), "HE 100 A");
    }
    // The next open sorts by DID again and sees the packed, edited file.
    ProfileCatalogue c = ProfileCatalogue::open(path, "");
    EXPECT_EQ(c.recordCount(), 9);
    EXPECT_EQ(visibleNames(c), (Names{"HE 100 A", "IPE 80", "HE 300 A", "HE 340 A", "HE 310 A", "HE 320 B",
                                      "HD 400 x 187", "IPE 300", "HEB"}));
}

TEST(ProfileCatalogue, AFailedPackLeavesTheRowDeletedAndTheTableOpen)
{
    TempDir dir;
    const std::string path = writeSample(dir);
    ProfileCatalogue c = ProfileCatalogue::open(path, "");
    dbf::Table other = dbf::Table::open(path, dbf::OpenMode::shared);   // someone else has it open
    ASSERT_TRUE(c.Profilsuchen("HEB", texts, nullptr));
    const auto failed = c.deleteCurrent();
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->textId, 516);
    EXPECT_EQ(failed->file, path);
    EXPECT_NE(failed->detail.find("exclusively"), std::string::npos) << failed->detail;
    EXPECT_EQ(c.recordCount(), 8);
    EXPECT_TRUE(c.isDeleted(6));
    EXPECT_EQ(visibleNames(c).size(), 7u);
    EXPECT_TRUE(c.table().isOpen());
    EXPECT_FALSE(c.Profilsuchen("HEB", texts, nullptr));
}

TEST(ProfileCatalogue, ARowThatCannotBeReadFailsTheOpen)
{
    TempDir dir;
    const std::string path = writeSample(dir);
    std::string bytes = test::readFile(path);
    const std::size_t header = 32 + 8 * 32 + 1;
    bytes.replace(header + 1 + 30, 7, "  3,5  ");   // H of the first row
    test::writeFile(path, bytes);
    try {
        (void)ProfileCatalogue::open(path, "");
        FAIL() << "opened";
    } catch (const dbf::Error& e) {
        EXPECT_NE(std::string(e.what()).find("record 1, field H"), std::string::npos) << e.what();
    }
    dbf::Table t = dbf::Table::create(path, {{"PROFIL", dbf::FieldType::character, 30, 0, 0}});
    t.close();
    EXPECT_THROW(ProfileCatalogue::open(path, ""), dbf::Error);
}

TEST(BuiltProfileTable, HoldsEveryProfileWithDidStepsAndTheDefaultProfile)
{
    ProfileCatalogue c = ProfileCatalogue::open(QELN_BIN_DIR "/PROFKVL2.DBF", "");
    ASSERT_EQ(c.recordCount(), 471);
    for (int i = 0; i < c.recordCount(); ++i)
        EXPECT_EQ(c.row(i).did, 10.0 * (i + 1));
    ASSERT_TRUE(c.Profilsuchen("HE 320 A", texts, nullptr));
    const SteelProfile p = *c.current();
    EXPECT_EQ(p, (SteelProfile{"HE 320 A", 310, 300, 9, 15.5, 27, false, p.did}));
    ASSERT_TRUE(c.Profilsuchen("HE 1000 M", texts, nullptr));
    EXPECT_TRUE(c.current()->movrix);
    ASSERT_TRUE(c.Profilsuchen("IPE 750 x 222", texts, nullptr));
    EXPECT_FALSE(c.current()->movrix) << "IPE never";
    for (int rec : c.visibleRecords())
        EXPECT_LE(c.row(rec).profileName.size(), 20u);
}
