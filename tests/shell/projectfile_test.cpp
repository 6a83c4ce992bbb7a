// The project file: the exact bytes, round trips, the reader's tolerance,
// damaged files, the backup name and failed saves.
#include "shell/datetime.h"
#include "shell/projectfile.h"
#include "tests/catalogue/test_support.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cmath>
#include <limits>
#include <tuple>

using namespace qeln;
using qeln::test::TempDir;

namespace {

// The lookup a test needs: records the name and puts recognisable values in.
struct FakeCatalogue {
    std::vector<std::string> asked;
    bool found = true;
    ProfileLookup lookup()
    {
        return [this](const std::string& name, ColumnInput& in) {
            asked.push_back(name);
            in.h = 111;
            in.b = 222;
            in.tw = 3;
            in.tf = 4;
            in.r = 5;
            in.movrixAvailable = true;
            return found;
        };
    }
};

ColumnInput defaultProject(double stamp)
{
    ColumnInput in;
    in.createdOn = stamp;
    in.lastUpdated = stamp;
    return in;
}

// Lines 1 to 33 of a file; line ends must be CR LF.
std::vector<std::string> linesOf(const std::string& bytes)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2)
        out.push_back(bytes.substr(start, at - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
    return out;
}

std::string joinLines(const std::vector<std::string>& lines, const char* end = "\r\n")
{
    std::string s;
    for (const auto& l : lines)
        s += l + end;
    return s;
}

ColumnInput sentinel()
{
    ColumnInput in;
    in.projectName = "unchanged";
    in.fy = 235;
    in.h = 999;
    return in;
}

} // namespace

TEST(ProjectFile, DefaultProjectIsWrittenExactlyAsTheExample)
{
    const double stamp = dateTimeNumber(2024, 3, 15, 12, 0, 0);
    const std::string bytes = ProjectFileContent(defaultProject(stamp));
    const std::string ts = " 4.53665000000000E+0004";
    const std::vector<std::string> expected = {
        "971003", "000", "", "000", "", "", "", "", ts, ts, "HE 320 A",
        " 2.00000000000000E+0001", "4", "0", " 6.00000000000000E+0001", " 6.00000000000000E+0001",
        " 3.55000000000000E+0002", "1", " 3.00000000000000E+0001", " 5.00000000000000E+0002",
        " 1.10000000000000E+0000", " 1.50000000000000E+0000", " 1.15000000000000E+0000",
        " 1.00000000000000E+0000", " 1.00000000000000E+0000", " 1.00000000000000E+0000",
        " 3.00000000000000E+0000", " 3.00000000000000E+0000", " 1.50000000000000E+0000", " 1.50000000000000E+0000",
        " 0.00000000000000E+0000", " 0.00000000000000E+0000", " 7.00000000000000E+0001",
    };
    EXPECT_EQ(bytes, joinLines(expected));
    EXPECT_EQ(linesOf(bytes).size(), 33u);
}

TEST(ProjectFile, RealsHaveTwentyThreeCharactersAndFifteenDigits)
{
    const std::pair<double, const char*> reals[] = {
        {355, " 3.55000000000000E+0002"},     {1.15, " 1.15000000000000E+0000"},  {0, " 0.00000000000000E+0000"},
        {-0.0, " 0.00000000000000E+0000"},    {-25.5, "-2.55000000000000E+0001"}, {0.00012, " 1.20000000000000E-0004"},
        {999.9999999999999, " 1.00000000000000E+0003"}, {1.0 / 3, " 3.33333333333333E-0001"},
        {1e300, " 1.00000000000000E+0300"},   {45366.5, " 4.53665000000000E+0004"},
        {std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-0324"}};
    for (const auto& [x, text] : reals)
        EXPECT_EQ(FormatProjectReal(x), text) << x;
    EXPECT_THROW(FormatProjectReal(std::numeric_limits<double>::quiet_NaN()), std::domain_error);
    EXPECT_THROW(FormatProjectReal(-std::numeric_limits<double>::infinity()), std::domain_error);
}

TEST(ProjectFile, EveryFieldSurvivesSaveAndLoad)
{
    TempDir dir;
    ColumnInput in;
    in.projectCode = "P-2024/17";
    in.projectName = "Hôtel de Ville, Façade Nord";
    in.positionNumber = "Pos. 4.2";
    in.positionName = "Stütze Achse B/3 – Erdgeschoß";
    in.office = "Ingénieurs Associés & Cie";
    in.author = "Jürgen Weiß";
    in.comment = "Œuvre: 5 € pro Stück; « très » grand — ok";
    in.createdOn = dateTimeNumber(2023, 11, 2, 8, 30, 15);
    in.lastUpdated = dateTimeNumber(2024, 1, 31, 17, 45, 0.25);
    in.profileName = "HD 400 x 187";
    in.d = 25;
    in.n1 = 8;
    in.n2 = 4;
    in.uc1 = 55.5;
    in.uf1 = 47.25;
    in.fy = 460;
    in.autoReduce = false;
    in.fck = 40;
    in.fsk = 550;
    in.gammaA = 1.05;
    in.gammaC = 1.6;
    in.gammaS = 1.2;
    in.gammaAfi = 1.1;
    in.gammaCfi = 1.2;
    in.gammaSfi = 1.3;
    in.lWeakCold = 4.25;
    in.lStrongCold = 6.5;
    in.lWeakFire = 2.125;
    in.lStrongFire = 3.75;
    in.e1 = -12.5;
    in.e2 = 30;
    in.pcp = 62.5;
    const std::string path = dir.file("col1.qln");
    ASSERT_FALSE(SaveProjectFile(path, in));
    const std::string bytes = test::readFile(path);
    EXPECT_NE(bytes.find("H\xF4tel"), std::string::npos) << "written in Windows-1252";

    FakeCatalogue cat;
    ColumnInput out;
    const std::optional<Failure> res = LoadProjectFile(path, out, cat.lookup());
    ASSERT_FALSE(res) << res->describe();
    EXPECT_EQ(cat.asked, std::vector<std::string>{"HD 400 x 187"});
    // Time stamps keep the file's 15 significant digits (about 1e-10 days).
    EXPECT_EQ(FormatProjectReal(out.createdOn), FormatProjectReal(in.createdOn));
    EXPECT_EQ(FormatProjectReal(out.lastUpdated), FormatProjectReal(in.lastUpdated));
    EXPECT_NEAR(out.lastUpdated, in.lastUpdated, 1e-9);
    ColumnInput expected = in;
    expected.createdOn = out.createdOn;
    expected.lastUpdated = out.lastUpdated;
    FakeCatalogue{}.lookup()(in.profileName, expected);   // the section the lookup put in
    EXPECT_EQ(out, expected);
}

TEST(ProjectFile, TextsOutsideWindows1252AreWrittenInUtf8)
{
    TempDir dir;
    struct Case {
        const char* comment;
        const char* author;
        const char* mustContain;
    };
    const Case cases[] = {
        {"Łódź → Kraków", "Jürgen", "J\xC3\xBCrgen"},   // Ł has no Windows-1252 byte: all UTF-8
        {"Ã© reads as UTF-8", "Jurgen", "\xC3\x83\xC2\xA9"},   // its Windows-1252 bytes would be valid UTF-8
        {"Ã© with", "Jürgen", "J\xFCrgen"},               // ü breaks UTF-8: Windows-1252 is safe
    };
    for (const Case& c : cases) {
        ColumnInput in;
        in.comment = c.comment;
        in.author = c.author;
        const std::string path = dir.file("u.qln");
        ASSERT_FALSE(SaveProjectFile(path, in));
        EXPECT_NE(test::readFile(path).find(c.mustContain), std::string::npos) << c.comment;
        ColumnInput out;
        ASSERT_FALSE(LoadProjectFile(path, out, nullptr));
        EXPECT_EQ(out.comment, c.comment);
        EXPECT_EQ(out.author, c.author);
    }
}

TEST(ProjectFile, TextsAreCutAndKeptOnOneLineWhenWritten)
{
    ColumnInput in;
    in.projectName = std::string(70, 'x');
    in.projectCode = "äöüäöüäöüäöüäöüäöüäöüä";   // 22 characters
    in.comment = "two\r\nlines";
    const auto lines = linesOf(ProjectFileContent(in));
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[2], std::string(60, 'x'));
    EXPECT_EQ(lines[1].size(), 20u);
    EXPECT_EQ(lines[7], "two  lines");
    in.gammaA = std::nan("");
    EXPECT_THROW(ProjectFileContent(in), std::domain_error);
}

TEST(ProjectFileReader, ToleratesBlanksTrailingTextEmptyLinesAndPlainDecimals)
{
    std::vector<std::string> l = linesOf(ProjectFileContent(defaultProject(40000)));
    l[0] = "971003   saved by hand";
    l[2] = std::string(70, 'n');          // project name: first 60 characters
    l[3] = "  12345678901234567890XYZ";      // position number: leading blanks kept, cut at 20
    l[16] = "355";                           // plain decimals
    l[18] = "\t 0.3 N/mm2 (comment)";
    l[12] = "   8   ";
    l[17] = "2";                             // not 1: reduction off
    l[30] = "-.5";
    l[31] = "+1.5e1";
    ColumnInput out;
    FakeCatalogue cat;
    std::optional<Failure> res = ParseProjectFile(joinLines(l), "f.qln", out, cat.lookup());
    ASSERT_FALSE(res) << res->describe();
    EXPECT_EQ(out.projectName, std::string(60, 'n'));
    EXPECT_EQ(out.positionNumber, "  123456789012345678");
    EXPECT_EQ(out.fy, 355);
    EXPECT_EQ(out.fck, 0.3);
    EXPECT_EQ(out.n1, 8);
    EXPECT_FALSE(out.autoReduce);
    EXPECT_EQ(out.e1, -0.5);
    EXPECT_EQ(out.e2, 15);

    // An empty line before a number is passed over; every later field moves
    // down one line, so the file then needs a 34th line.
    std::vector<std::string> shifted = l;
    shifted.insert(shifted.begin() + 11, "");
    ColumnInput s;
    res = ParseProjectFile(joinLines(shifted), "f.qln", s, nullptr);
    ASSERT_FALSE(res) << res->describe();
    EXPECT_EQ(s.d, 20);
    EXPECT_EQ(s.pcp, 70);
    shifted.pop_back();
    res = ParseProjectFile(joinLines(shifted), "f.qln", s, nullptr);
    EXPECT_EQ(res->code, FailureCode::malformed);
    EXPECT_EQ(res->line, 34);

    // Other line ends, no final line end, and a byte-order mark.
    ColumnInput u;
    EXPECT_FALSE(ParseProjectFile(joinLines(l, "\n"), "f", u, nullptr));
    EXPECT_FALSE(ParseProjectFile(joinLines(l, "\r"), "f", u, nullptr));
    std::string noFinalEnd = joinLines(l);
    noFinalEnd.resize(noFinalEnd.size() - 2);
    EXPECT_FALSE(ParseProjectFile(noFinalEnd, "f", u, nullptr));
    EXPECT_FALSE(ParseProjectFile("\xEF\xBB\xBF" + joinLines(l), "f", u, nullptr));
}

TEST(ProjectFileReader, DecodesWindows1252UnlessTheBytesAreUtf8)
{
    std::vector<std::string> l = linesOf(ProjectFileContent(defaultProject(40000)));
    l[5] = "Ing\xE9nieurs";          // Windows-1252
    ColumnInput out;
    ASSERT_FALSE(ParseProjectFile(joinLines(l), "f", out, nullptr));
    EXPECT_EQ(out.office, "Ingénieurs");
    l[5] = "Ing\xC3\xA9nieurs";      // UTF-8
    ASSERT_FALSE(ParseProjectFile(joinLines(l), "f", out, nullptr));
    EXPECT_EQ(out.office, "Ingénieurs");
    l[6] = "M\xFC" "ller";           // one stray byte makes the whole file Windows-1252
    ASSERT_FALSE(ParseProjectFile(joinLines(l), "f", out, nullptr));
    EXPECT_EQ(out.office, "IngÃ©nieurs");
    EXPECT_EQ(out.author, "Müller");
    l[5] = std::string(70, '\xE9');  // the limit counts characters, not bytes
    ASSERT_FALSE(ParseProjectFile(joinLines(l), "f", out, nullptr));
    EXPECT_EQ(utf8Length(out.office), 60u);

    // A byte-order mark in front of Windows-1252 text (an editor added it
    // without converting) gave "wrong version number".
    l[5] = "Ing\xE9nieurs";
    l[6] = "M\xFC" "ller";
    ASSERT_FALSE(ParseProjectFile("\xEF\xBB\xBF" + joinLines(l), "f", out, nullptr));
    EXPECT_EQ(out.office, "Ingénieurs");
    l[5] = "Ing\xC3\xA9nieurs";
    l[6] = "M\xC3\xBCller";
    ASSERT_FALSE(ParseProjectFile("\xEF\xBB\xBF" + joinLines(l), "f", out, nullptr));
    EXPECT_EQ(out.author, "Müller");
}

TEST(ProjectFileReader, VersionLineDecidesBeforeAnythingIsRead)
{
    std::vector<std::string> l = linesOf(ProjectFileContent(defaultProject(40000)));
    for (const char* version : {"971004", "0", "-971003", "abc", "971003abc", "9710030", ""}) {
        l[0] = version;
        ColumnInput project = sentinel();
        FakeCatalogue cat;
        const std::optional<Failure> res = ParseProjectFile(joinLines(l), "f.qln", project, cat.lookup());
        EXPECT_EQ(res->code, FailureCode::wrongVersion) << version;
        EXPECT_EQ(res->textId, 515);
        EXPECT_EQ(project, sentinel());
        EXPECT_TRUE(cat.asked.empty());
    }
    ColumnInput project = sentinel();
    EXPECT_EQ(ParseProjectFile("", "f.qln", project, nullptr)->code, FailureCode::wrongVersion);
    EXPECT_EQ(ParseProjectFile("\r\n\r\n", "f.qln", project, nullptr)->code, FailureCode::wrongVersion);
    EXPECT_EQ(project, sentinel());
}

TEST(ProjectFileReader, MalformedOrShortFilesLeaveTheProjectAsItWas)
{
    const std::vector<std::string> good = linesOf(ProjectFileContent(defaultProject(40000)));
    struct Case {
        int line;   // 1-based
        const char* text;
    };
    for (const Case& c : {Case{17, "3,55E+0002"}, Case{9, "yesterday"}, Case{13, "4.0"}, Case{14, "99999999999"},
                          Case{21, "1.1.1"}, Case{33, "inf"}, Case{33, "1e999"}, Case{27, "E5"}, Case{31, "-"}}) {
        std::vector<std::string> l = good;
        l[static_cast<std::size_t>(c.line - 1)] = c.text;
        ColumnInput project = sentinel();
        const std::optional<Failure> res = ParseProjectFile(joinLines(l), "/data/col1.qln", project, nullptr);
        EXPECT_EQ(res->code, FailureCode::malformed) << c.text;
        EXPECT_EQ(res->line, c.line) << c.text;
        EXPECT_EQ(res->textId, 0);
        EXPECT_NE(res->describe().find("/data/col1.qln, line " + std::to_string(c.line)), std::string::npos);
        EXPECT_EQ(project, sentinel());
    }
    // Cut after every line and at every byte: only complete files load.
    const std::string bytes = joinLines(good);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        ColumnInput project = sentinel();
        const std::optional<Failure> res = ParseProjectFile(bytes.substr(0, n), "f", project, nullptr);
        if (!res) {
            // Only a cut inside the last number can still read as a number.
            EXPECT_GT(n, bytes.size() - 26);
        } else {
            EXPECT_EQ(project, sentinel()) << n;
        }
    }
}

TEST(ProjectFileReader, ProfileIsLookedUpRightAfterLineEleven)
{
    const std::string bytes = ProjectFileContent(defaultProject(40000));
    FakeCatalogue cat;
    cat.found = false;
    ColumnInput out;
    const std::optional<Failure> res = ParseProjectFile(bytes, "f", out, cat.lookup());
    ASSERT_FALSE(res);
    EXPECT_EQ(out.h, 111) << "the values of the row the search ended on";
    // A file broken after line 11 has asked for the profile but changes nothing.
    std::vector<std::string> l = linesOf(bytes);
    l[20] = "x";
    ColumnInput project = sentinel();
    FakeCatalogue cat2;
    EXPECT_TRUE(ParseProjectFile(joinLines(l), "f", project, cat2.lookup()));
    EXPECT_EQ(cat2.asked.size(), 1u);
    EXPECT_EQ(project, sentinel());
}

TEST(ProjectFileReader, DefaultProjectTakesItsSectionFromTheBuiltCatalogue)
{
    TempDir dir;
    const double stamp = currentDateTime();
    const std::string path = dir.file("default.qln");
    ASSERT_FALSE(SaveProjectFile(path, defaultProject(stamp)));
    ProfileCatalogue catalogue = ProfileCatalogue::open(QELN_BIN_DIR "/PROFKVL2.DBF", "");
    catalogue.setFilter("IPE");
    RecordingSink sink;
    ColumnInput out;
    out.h = 0;
    const std::optional<Failure> res = LoadProjectFile(path, out, CatalogueLookup(catalogue, [](int id) { return std::to_string(id); }, &sink));
    ASSERT_FALSE(res) << res->describe();
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(FormatProjectReal(out.createdOn), FormatProjectReal(stamp));
    EXPECT_EQ(out.lastUpdated, out.createdOn);
    out.createdOn = out.lastUpdated = stamp;
    EXPECT_EQ(out, defaultProject(stamp)) << "HE 320 A: 310 x 300 x 9 x 15.5, r 27";
    EXPECT_FALSE(catalogue.filter().has_value());
}

TEST(ProjectFileSave, KeepsThePreviousFileUnderTheBakName)
{
    EXPECT_EQ(ProjectBackupName("/data/col1.qln"), "/data/col1BAK");
    EXPECT_EQ(ProjectBackupName("col1"), "col1BAK");
    EXPECT_EQ(ProjectBackupName("/da.ta/col1"), "/da.ta/col1BAK");
    EXPECT_EQ(ProjectBackupName("/data/a.b.qln"), "/data/a.bBAK");

    TempDir dir;
    const std::string path = dir.file("col1.qln");
    ColumnInput in;
    in.projectName = "first";
    ASSERT_FALSE(SaveProjectFile(path, in));
    EXPECT_FALSE(test::exists(dir.file("col1BAK")));
    const std::string first = test::readFile(path);
    in.projectName = "second";
    ASSERT_FALSE(SaveProjectFile(path, in));
    EXPECT_EQ(test::readFile(dir.file("col1BAK")), first);
    in.projectName = "third";
    ASSERT_FALSE(SaveProjectFile(path, in));
    EXPECT_NE(test::readFile(dir.file("col1BAK")).find("second"), std::string::npos);
    EXPECT_NE(test::readFile(path).find("third"), std::string::npos);
}

TEST(ProjectFileSave, AFailedSaveLeavesThePreviousFileUntouched)
{
    TempDir dir;
    const std::string path = dir.file("col1.qln");
    ColumnInput in;
    in.projectName = "previous";
    ASSERT_FALSE(SaveProjectFile(path, in));
    const std::string previous = test::readFile(path);

    // A number that could not be read back: refused before any file is touched.
    in.fy = std::numeric_limits<double>::infinity();
    std::optional<Failure> res = SaveProjectFile(path, in);
    EXPECT_EQ(res->textId, 516);
    EXPECT_EQ(test::readFile(path), previous);
    EXPECT_FALSE(test::exists(dir.file("col1BAK")));

    // The disk refuses the content (a file size limit stands in for a full disk).
    in.fy = 355;
    in.comment = std::string(5000, 'c');
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    res = SaveProjectFile(path, in);
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(res->code, FailureCode::writeFailed);
    EXPECT_EQ(test::readFile(path), previous);
    EXPECT_FALSE(test::exists(dir.file("col1BAK")));

    // A folder that does not exist, and a folder in the way of the name.
    EXPECT_EQ(SaveProjectFile(dir.file("none/col.qln"), in)->textId, 516);
    ASSERT_EQ(::mkdir(dir.file("taken.qln").c_str(), 0755), 0);
    test::writeFile(dir.file("taken.qln/inside"), "x");
    EXPECT_EQ(SaveProjectFile(dir.file("taken.qln"), in)->textId, 516);
    EXPECT_EQ(test::readFile(dir.file("taken.qln/inside")), "x");

    // Nothing but the project file was left behind.
    EXPECT_EQ(test::entries(dir.path()).size(), 2u);
}

TEST(ProjectFileSave, ACommentTooLongToBeOpenedAgainIsRefused)
{
    // A comment of 64 MiB was saved, and the file then refused as too large.
    TempDir dir;
    const std::string path = dir.file("col1.qln");
    ColumnInput in;
    ASSERT_FALSE(SaveProjectFile(path, in));
    const std::string previous = test::readFile(path);
    in.comment.assign(64u << 20, 'c');
    std::optional<Failure> res = SaveProjectFile(path, in);
    EXPECT_EQ(res->code, FailureCode::tooLarge);
    EXPECT_EQ(res->textId, 1174);
    EXPECT_EQ(test::readFile(path), previous);
}

TEST(ProjectFileLoad, UnopenableFilesGiveText514)
{
    TempDir dir;
    ColumnInput project = sentinel();
    std::optional<Failure> res = LoadProjectFile(dir.file("missing.qln"), project, nullptr);
    EXPECT_EQ(res->textId, 514);
    EXPECT_EQ(res->file, dir.file("missing.qln"));
    res = LoadProjectFile(dir.path(), project, nullptr);
    EXPECT_EQ(res->textId, 514);
    EXPECT_EQ(project, sentinel());
}

TEST(ProjectFileReader, UnknownProfileIsReportedInTheLanguageOfTheProgram)
{
    const std::vector<std::string> l = [] {
        auto lines = linesOf(ProjectFileContent(defaultProject(40000)));
        lines[10] = "HE 321 A";
        return lines;
    }();
    ProfileCatalogue catalogue = ProfileCatalogue::open(QELN_BIN_DIR "/PROFKVL2.DBF", "");
    RecordingSink sink;
    ColumnInput out;
    const std::optional<Failure> res = ParseProjectFile(joinLines(l), "f", out, CatalogueLookup(catalogue, Language::German, &sink));
    ASSERT_FALSE(res) << res->describe();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "Profil HE 321 A nicht in der Datenbank gefunden");
    // The section is that of the last catalogue row, where the search ended.
    const SteelProfile last = catalogue.row(catalogue.order().back());
    EXPECT_EQ(out.h, last.h);
    EXPECT_EQ(out.movrixAvailable, last.movrix);
}

// The maximum aggregate size d.g: a [materials] block only when it is not
// 16 mm, so that a project with the default is written byte for byte as
// before; read back exactly; a bad value refused with its line and field,
// the project left as it was.
TEST(ProjectFileMaterials, TheBlockOnlyForAnAggregateOtherThanSixteen)
{
    ColumnInput in;
    in.lastUpdated = in.createdOn = 45000.5;
    const std::string plain = ProjectFileContent(in);
    in.dg = 32;
    const std::string text = ProjectFileContent(in);
    EXPECT_EQ(text, plain + "[materials]\r\ndg=32\r\n");
    const auto lookup = [](const std::string&, ColumnInput&) { return true; };
    ColumnInput back;
    std::optional<Failure> r = ParseProjectFile(text, "m.qln", back, lookup);
    ASSERT_FALSE(r) << r->describe();
    EXPECT_EQ(back.dg, 32);
    in.dg = 22.5;
    r = ParseProjectFile(ProjectFileContent(in), "m.qln", back, lookup);
    ASSERT_FALSE(r) << r->describe();
    EXPECT_EQ(back.dg, 22.5);
    // without the block: 16 mm, whatever the project held before
    r = ParseProjectFile(plain, "m.qln", back, lookup);
    ASSERT_FALSE(r) << r->describe();
    EXPECT_EQ(back.dg, 16);
    // a value outside the range the checks take is read as it is: they name it
    r = ParseProjectFile(plain + "[materials]\r\ndg=100\r\n", "m.qln", back, lookup);
    ASSERT_FALSE(r) << r->describe();
    EXPECT_EQ(back.dg, 100);

    const std::tuple<const char*, int, const char*> damaged[] = {
        {"[materials]\r\ndg=fine\r\n", 35, "dg: "},
        {"[materials]\r\ndg=16\r\ndg=32\r\n", 36, ""},
        {"[materials]\r\nd.g=16\r\n", 35, ""},
        {"[materials]\r\ndg=16\r\n[materials]\r\ndg=16\r\n", 36, ""}};
    for (const auto& [bad, line, detailPart] : damaged) {
        ColumnInput kept = sentinel();
        const std::optional<Failure> f = ParseProjectFile(plain + bad, "m.qln", kept, lookup);
        ASSERT_TRUE(f) << bad;
        EXPECT_EQ(f->code, FailureCode::malformed) << bad;
        EXPECT_EQ(f->line, line) << bad << f->describe();
        EXPECT_NE(f->detail.find("[materials]"), std::string::npos) << f->detail;
        EXPECT_NE(f->detail.find(detailPart), std::string::npos) << f->detail;
        EXPECT_EQ(kept, sentinel()) << bad;
    }
}
