// The dBASE III table module: values, files, locks, packing and damaged input.
#include "catalogue/dbf.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <limits>

using namespace qeln;
using namespace qeln::dbf;
using qeln::test::TempDir;

namespace {

std::vector<Field> smallFields()
{
    return {{"NAME", FieldType::character, 12, 0, 0},
            {"VAL", FieldType::numeric, 8, 2, 0},
            {"FLAG", FieldType::logical, 1, 0, 0},
            {"N", FieldType::numeric, 4, 0, 0}};
}

// A table of three rows written by the module, as bytes.
std::string smallTableBytes(const TempDir& dir)
{
    const std::string path = dir.file("small.dbf");
    {
        Table t = Table::create(path, smallFields());
        const char* names[] = {"HE 320 A", "Größe", "IPE 80"};
        for (int i = 0; i < 3; ++i) {
            Record r = t.blankRecord();
            r.setText("NAME", names[i]);
            r.setNumber("VAL", 10.25 * (i + 1));
            r.setLogical("FLAG", i != 1);
            r.setNumber("N", i);
            t.append(r);
        }
    }
    return test::readFile(path);
}

// Reads every field of every record: either all reads succeed or Error is
// thrown; anything else (a crash, another exception) fails the test.
void readEverything(const Table& t)
{
    for (int i = 0; i < t.recordCount(); ++i) {
        const Record r = t.record(i);
        for (const Field& f : t.schema().fields()) {
            switch (f.type) {
            case FieldType::character: (void)r.text(f.name); (void)r.paddedText(f.name); break;
            case FieldType::numeric: (void)r.number(f.name); break;
            case FieldType::logical: (void)r.logical(f.name); break;
            }
        }
    }
}

// Opens damaged bytes; returns the error text, or "" when the table opened
// and every value could be read.
std::string tryOpen(const std::string& bytes)
{
    try {
        Table t = Table::fromBytes(bytes);
        readEverything(t);
        return "";
    } catch (const Error& e) {
        return e.what();
    }
}

} // namespace

TEST(DbfTable, WritesReadableHeaderAndReadsValuesBack)
{
    TempDir dir;
    const std::string bytes = smallTableBytes(dir);
    ASSERT_GE(bytes.size(), 32u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x03);
    EXPECT_EQ(static_cast<unsigned char>(bytes[29]), kCodePageWindows1252);
    // Header: 32 + 4 descriptors + terminator; record: flag + 12 + 8 + 1 + 4.
    EXPECT_EQ(static_cast<unsigned char>(bytes[8]) | (static_cast<unsigned char>(bytes[9]) << 8), 32 + 4 * 32 + 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 26);
    EXPECT_EQ(bytes.back(), '\x1A');
    EXPECT_EQ(bytes.size(), 161u + 3 * 26 + 1);

    Table t = Table::open(dir.file("small.dbf"), OpenMode::shared);
    ASSERT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.record(0).text("NAME"), "HE 320 A");
    EXPECT_EQ(t.record(0).paddedText("name"), "HE 320 A    ");
    EXPECT_EQ(t.record(1).text("NAME"), "Größe");
    EXPECT_DOUBLE_EQ(t.record(2).number("VAL"), 30.75);
    EXPECT_EQ(t.record(1).logical("FLAG"), std::optional<bool>(false));
    EXPECT_EQ(t.record(2).number("N"), 2);
    // Text is stored in Windows-1252, numbers right-aligned with their decimals.
    const std::string rec1 = t.record(1).bytes();
    EXPECT_EQ(rec1.substr(1, 12), std::string("Gr\xF6\xDF" "e       "));
    EXPECT_EQ(rec1.substr(13, 8), "   20.50");
    const Date d = t.lastUpdate();
    EXPECT_GE(d.year, 2024);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), d.year - 1900);
}

TEST(DbfTable, NumbersAreWrittenWithoutLocaleAndRefusedWhenTheyDoNotFit)
{
    TempDir dir;
    Table t = Table::create(dir.file("n.dbf"), smallFields());
    Record r = t.blankRecord();
    r.setNumber("VAL", -0.001);   // rounds to zero: no "-0.00"
    EXPECT_EQ(r.bytes().substr(13, 8), "    0.00");
    r.setNumber("VAL", 12345.678);
    EXPECT_EQ(r.bytes().substr(13, 8), "12345.68");
    EXPECT_THROW(r.setNumber("VAL", 123456.5), Error);
    EXPECT_THROW(r.setNumber("VAL", std::numeric_limits<double>::quiet_NaN()), Error);
    EXPECT_THROW(r.setNumber("VAL", std::numeric_limits<double>::infinity()), Error);
    EXPECT_THROW(r.setNumber("NAME", 1), Error);          // wrong type
    EXPECT_THROW(r.setNumber("NOSUCH", 1), Error);
    EXPECT_THROW(r.setText("NAME", "longer than twelve"), Error);
    EXPECT_THROW(r.setText("NAME", "\xE2\x86\x92"), Error);   // an arrow has no Windows-1252 byte
    EXPECT_THROW(r.setText("NAME", "\xC3"), Error);          // not UTF-8
    r.setText("NAME", "exactly12chr");
    EXPECT_EQ(r.text("NAME"), "exactly12chr");
    r.setBlank("VAL");
    EXPECT_TRUE(r.isBlank("VAL"));
    EXPECT_EQ(r.number("VAL"), 0.0);
}

TEST(DbfTable, ReadsTheValueFormsOfOtherWriters)
{
    TempDir dir;
    std::string bytes = smallTableBytes(dir);
    const std::size_t rec0 = 161;
    auto withField = [&](std::size_t offset, const std::string& raw) {
        std::string b = bytes;
        b.replace(rec0 + offset, raw.size(), raw);
        return Table::fromBytes(b).record(0);
    };
    // Numeric: left-aligned, plus sign, no digits before the point, NUL padding.
    EXPECT_DOUBLE_EQ(withField(13, "12.5    ").number("VAL"), 12.5);
    EXPECT_DOUBLE_EQ(withField(13, "   +3.25").number("VAL"), 3.25);
    EXPECT_DOUBLE_EQ(withField(13, "    -.50").number("VAL"), -0.5);
    EXPECT_DOUBLE_EQ(withField(13, std::string("7\0\0\0\0\0\0\0", 8)).number("VAL"), 7.0);
    for (const char* bad : {"  1,50  ", " 1.2.3  ", "   1e5  ", "  nan   ", "********", "   -    ", "  0x10  "})
        EXPECT_THROW((void)withField(13, bad).number("VAL"), Error) << bad;
    // Logical values.
    for (const auto& [letters, value] :
         {std::pair<const char*, std::optional<bool>>{"TtYy", true}, {"FfNn", false}, {"? ", std::nullopt}})
        for (const char* c = letters; *c; ++c)
            EXPECT_EQ(withField(21, std::string(1, *c)).logical("FLAG"), value) << "'" << *c << "'";
    EXPECT_THROW((void)withField(21, "X").logical("FLAG"), Error);
    // Deleted flag.
    EXPECT_TRUE(withField(0, "*").deleted());
    EXPECT_NE(tryOpen(std::string(bytes).replace(rec0, 1, "D")).find("deleted flag"), std::string::npos);
    // The end mark is optional and bytes after the records are ignored.
    EXPECT_EQ(tryOpen(bytes.substr(0, bytes.size() - 1)), "");
    EXPECT_EQ(tryOpen(bytes + "trailing"), "");
    // An unmarked table reads as Windows-1252; DOS 850 decodes its own way.
    std::string unmarked = bytes;
    unmarked[29] = 0;
    EXPECT_EQ(Table::fromBytes(unmarked).record(1).text("NAME"), "Größe");
    std::string dos = bytes;
    dos[29] = static_cast<char>(kCodePageDos850);
    EXPECT_EQ(Table::fromBytes(dos).record(1).text("NAME"), "Gr÷▀e");
    std::string unknown = bytes;
    unknown[29] = static_cast<char>(0xC8);
    EXPECT_NE(tryOpen(unknown).find("code page"), std::string::npos);
}

TEST(DbfTable, AppendEditDeleteAndPackKeepTheFileConsistent)
{
    TempDir dir;
    (void)smallTableBytes(dir);
    const std::string path = dir.file("small.dbf");
    ::chmod(path.c_str(), 0640);
    {
        Table t = Table::open(path, OpenMode::exclusive);
        Record r = t.record(1);
        r.setText("NAME", "HE 300 B");
        t.update(1, r);
        t.markDeleted(0);
        Record extra = t.blankRecord();
        extra.setText("NAME", "HD 400");
        EXPECT_EQ(t.append(extra), 3);
    }
    {
        Table t = Table::open(path, OpenMode::shared);
        ASSERT_EQ(t.recordCount(), 4);
        EXPECT_TRUE(t.record(0).deleted());
        EXPECT_EQ(t.record(1).text("NAME"), "HE 300 B");
        EXPECT_EQ(t.record(3).text("NAME"), "HD 400");
        EXPECT_TRUE(t.record(3).isBlank("VAL"));
        EXPECT_THROW(t.pack(), Error);   // needs an exclusive open
    }
    {
        Table t = Table::open(path, OpenMode::exclusive);
        t.pack();
        EXPECT_EQ(t.recordCount(), 3);
        EXPECT_EQ(t.record(0).text("NAME"), "HE 300 B");
        // The packed table is still ours: further changes go to the new file.
        t.markDeleted(2);
    }
    const std::string packed = test::readFile(path);
    EXPECT_EQ(packed.size(), 161u + 3 * 26 + 1);
    EXPECT_EQ(static_cast<unsigned char>(packed[4]), 3);
    EXPECT_EQ(static_cast<unsigned char>(packed[29]), kCodePageWindows1252);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    Table t = Table::open(path, OpenMode::shared);
    EXPECT_EQ(t.record(1).text("NAME"), "IPE 80");
    EXPECT_TRUE(t.record(2).deleted());
    // No temporary file is left behind.
    EXPECT_EQ(test::entries(dir.path()).size(), 1u);
}

TEST(DbfTable, LocksKeepExclusiveAndSharedOpensApart)
{
    TempDir dir;
    (void)smallTableBytes(dir);
    const std::string path = dir.file("small.dbf");
    {
        Table a = Table::open(path, OpenMode::shared);
        Table b = Table::open(path, OpenMode::shared);
        EXPECT_THROW(Table::open(path, OpenMode::exclusive), Error);
    }
    {
        Table a = Table::open(path, OpenMode::exclusive);
        EXPECT_THROW(Table::open(path, OpenMode::shared), Error);
        a.close();
        EXPECT_NO_THROW(Table::open(path, OpenMode::shared));
    }
    // A moved table keeps its lock; the moved-from one is closed.
    Table a = Table::open(path, OpenMode::exclusive);
    Table b = std::move(a);
    EXPECT_FALSE(a.isOpen());
    EXPECT_THROW(Table::open(path, OpenMode::shared), Error);
}

TEST(DbfTable, RefusesMissingFilesFoldersAndFifos)
{
    TempDir dir;
    EXPECT_THROW(Table::open(dir.file("none.dbf"), OpenMode::shared), Error);
    EXPECT_THROW(Table::open(dir.path(), OpenMode::shared), Error);
    const std::string fifo = dir.file("fifo.dbf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(Table::open(fifo, OpenMode::shared), Error);   // must not block
    EXPECT_THROW(Table::create(dir.file("x.dbf"), {}), Error);
    EXPECT_THROW(Table::create(dir.file("x.dbf"), {{"A", FieldType::character, 1, 0, 0},
                                                    {"a", FieldType::numeric, 3, 0, 0}}),
                 Error);
    EXPECT_THROW(Table::create(dir.file("x.dbf"), {{"1A", FieldType::character, 1, 0, 0}}), Error);
    EXPECT_THROW(Table::create(dir.file("x.dbf"), {{"A", FieldType::numeric, 5, 4, 0}}), Error);
    EXPECT_FALSE(test::exists(dir.file("x.dbf")));
}

TEST(DbfDamaged, EveryTruncationGivesAnErrorOrTheWholeTable)
{
    TempDir dir;
    const std::string bytes = smallTableBytes(dir);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const std::string err = tryOpen(bytes.substr(0, n));
        if (n + 1 == bytes.size()) {
            EXPECT_EQ(err, "") << "only the end mark is missing";
        } else {
            EXPECT_NE(err, "") << "truncated at " << n;
        }
    }
}

TEST(DbfDamaged, FlippedHeaderAndDescriptorBytesNeverCrash)
{
    TempDir dir;
    const std::string bytes = smallTableBytes(dir);
    int refused = 0;
    for (std::size_t at = 0; at < 161 + 26; ++at) {
        for (unsigned char mask : {0x01, 0x10, 0x80, 0xFF}) {
            std::string b = bytes;
            b[at] = static_cast<char>(b[at] ^ mask);
            refused += tryOpen(b) != "";
        }
    }
    EXPECT_GT(refused, 100);
}

TEST(DbfDamaged, AbsurdCountsAndLengthsGiveClearErrors)
{
    TempDir dir;
    const std::string bytes = smallTableBytes(dir);
    auto patched = [&](std::size_t at, std::initializer_list<unsigned char> v) {
        std::string b = bytes;
        for (unsigned char c : v)
            b[at++] = static_cast<char>(c);
        return tryOpen(b);
    };
    EXPECT_NE(patched(4, {0xFF, 0xFF, 0xFF, 0xFF}).find("4294967295 records"), std::string::npos);
    EXPECT_NE(patched(8, {0xFF, 0xFF}).find("beyond the end"), std::string::npos);
    EXPECT_NE(patched(8, {0x20, 0x00}).find("no room"), std::string::npos);
    EXPECT_NE(patched(10, {0x00, 0x00}).find("record length"), std::string::npos);
    EXPECT_NE(patched(10, {0xFF, 0xFF}).find("record length"), std::string::npos);
    EXPECT_NE(patched(32 + 11, {'D'}).find("unsupported type 'D'"), std::string::npos);
    EXPECT_NE(patched(32 + 32 + 16, {0xFF}).find("numeric field VAL"), std::string::npos);
    EXPECT_NE(patched(32 + 96 + 16, {0x00}).find("numeric field N"), std::string::npos);
    EXPECT_NE(patched(32 + 64 + 16, {0x02}).find("logical field FLAG"), std::string::npos);
    EXPECT_NE(patched(32, {'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X'}).find("name"), std::string::npos);
    EXPECT_NE(patched(32 + 32, {'N', 'A', 'M', 'E', 0}).find("twice"), std::string::npos);
    EXPECT_NE(patched(160, {0x00}).find("runs past the header"), std::string::npos);
    EXPECT_NE(patched(0, {0x83}).find("version byte 0x83"), std::string::npos);
    EXPECT_NE(tryOpen(std::string(31, '\x03')).find("too short"), std::string::npos);
    // A header that claims the maximum length and is filled with descriptors.
    std::string huge(32, '\0');
    huge[0] = 0x03;
    huge[8] = static_cast<char>(0xFF);
    huge[9] = static_cast<char>(0xFF);
    for (int k = 0; k < 2100; ++k) {
        std::string d(32, '\0');
        d[0] = 'A';
        d[11] = 'C';
        d[16] = 1;
        huge += d;
    }
    EXPECT_NE(tryOpen(huge).find("fields"), std::string::npos);
}

TEST(DbfTable, ReadsAClipperHeaderWithItsExtraByte)
{
    // Written by hand: header ended by 0x0D 0x00, year 1999, unmarked code
    // page, a deleted row, a lower-case logical.
    const std::string bytes = test::readFile(QELN_SOURCE_DIR "/tests/fuzz-corpus/dbf/clipper-header.dbf");
    Table t = Table::fromBytes(bytes);
    ASSERT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.lastUpdate().year, 1999);
    EXPECT_EQ(t.record(0).text("NAME"), "ABCDE");
    EXPECT_DOUBLE_EQ(t.record(1).number("NUM"), -0.5);
    EXPECT_TRUE(t.record(1).deleted());
    EXPECT_EQ(t.record(1).logical("OK"), std::nullopt);
    EXPECT_EQ(t.record(2).text("NAME"), "éü");
    EXPECT_EQ(t.record(2).logical("OK"), std::optional<bool>(true));
}
