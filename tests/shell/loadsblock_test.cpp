// The blocks after line 33 of the project file ([loads], [code], [member],
// [approval]): round trips, files without them unchanged, and malformed
// blocks refusing the whole file.
#include "shell/loadsblock.h"
#include "shell/projectfields.h"
#include "shell/projectfile.h"
#include "shell/schedule.h"
#include "tests/run_fixtures.h"

#include <gtest/gtest.h>

using namespace qeln;

namespace {

using test::withLoads;

ColumnInput sentinel()
{
    ColumnInput in;
    in.projectName = "unchanged";
    in.nEd = 42;
    return in;
}

std::optional<Failure> parse(const std::string& bytes, ColumnInput& into)
{
    return ParseProjectFile(bytes, "/data/col1.qln", into, nullptr);
}

struct RoundTrip {
    double nEd, nFiEd;
    std::optional<FireClass> fc;
    const char* block;   // the lines after line 33
};

class LoadsRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(LoadsRoundTrip, WrittenAfterLine33AndReadBack)
{
    const RoundTrip& r = GetParam();
    const ColumnInput in = withLoads(r.nEd, r.nFiEd, r.fc);
    const std::string plain = ProjectFileContent(ColumnInput{});
    const std::string bytes = ProjectFileContent(in);
    // the 33 lines stay as they are: a reader that stops there opens the file
    ASSERT_EQ(bytes.substr(0, plain.size()), plain);
    EXPECT_EQ(bytes.substr(plain.size()), r.block);
    ColumnInput back = sentinel();
    ASSERT_FALSE(parse(bytes, back));
    EXPECT_EQ(back, in);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, LoadsRoundTrip,
    testing::Values(RoundTrip{3000, 1800, FireClass::R90, "[loads]\r\nNEd=3000\r\nNfiEd=1800\r\nfireClass=R90\r\n"},
                    RoundTrip{0, 0, FireClass::R30, "[loads]\r\nNEd=0\r\nNfiEd=0\r\nfireClass=R30\r\n"},
                    RoundTrip{1234.5678, 0, {}, "[loads]\r\nNEd=1234.5678\r\nNfiEd=0\r\nfireClass=\r\n"},
                    RoundTrip{0.1, 1e6, FireClass::R120, "[loads]\r\nNEd=0.1\r\nNfiEd=1000000\r\nfireClass=R120\r\n"}));

TEST(LoadsBlock, ToleratedForms)
{
    const std::string head = ProjectFileContent(ColumnInput{});
    struct Case {
        const char* tail;
        double nEd, nFiEd;
        std::optional<FireClass> fc;
    };
    for (const Case& c : {
             Case{"\r\n\r\n[loads]\r\nNEd=3000\r\n", 3000, 0, {}},                     // blank lines, keys left out
             Case{" [loads] \nNfiEd = 1.8E+0003 \n\nfireClass = r 90\n", 0, 1800, FireClass::R90},   // LF, blanks
             Case{"[loads]\r\nfireClass=\r\nNEd=5\r\n", 5, 0, {}},                      // any order
             Case{"some notes of another program\r\nNEd=-1\r\n", 0, 0, {}},            // no block: ignored as before
             Case{"[loads]\r\n", 0, 0, {}},                                             // heading only
             Case{"\xEF\xBB\xBF[loads]\r\nNEd=3000\r\n", 3000, 0, {}},                  // a byte-order mark in front
         }) {
        ColumnInput back = sentinel();
        const std::optional<Failure> res = parse(head + c.tail, back);
        ASSERT_FALSE(res) << c.tail << ": " << res->describe();
        EXPECT_EQ(back.nEd, c.nEd) << c.tail;
        EXPECT_EQ(back.nFiEd, c.nFiEd) << c.tail;
        EXPECT_EQ(back.fireClass, c.fc) << c.tail;
    }
}

struct Malformed {
    const char* tail;   // after line 33; the block starts on line 34
    int line;
    const char* reason;
};

class MalformedBlock : public testing::TestWithParam<Malformed> {};

TEST_P(MalformedBlock, RefusesTheWholeFileNamingTheLine)
{
    const Malformed& m = GetParam();
    ColumnInput into = sentinel();
    const std::optional<Failure> res = parse(ProjectFileContent(ColumnInput{}) + m.tail, into);
    EXPECT_EQ(res->code, FailureCode::malformed);
    EXPECT_EQ(res->line, m.line);
    EXPECT_NE(res->detail.find(m.reason), std::string::npos) << res->detail;
    EXPECT_NE(res->describe().find("/data/col1.qln, line " + std::to_string(m.line)), std::string::npos);
    EXPECT_EQ(into, sentinel());
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, MalformedBlock,
    testing::Values(Malformed{"[loads]\r\nNEd=3,5\r\n", 35, "not a valid number"},
                    Malformed{"[loads]\r\nNEd=\r\n", 35, "not a valid number"},
                    Malformed{"[loads]\r\nNEd=3000\r\nNfiEd=-5\r\n", 36, "negative"},
                    Malformed{"[loads]\r\nNEd=2e6\r\n", 35, "not realistic"},
                    Malformed{"[loads]\r\nNEd=inf\r\n", 35, "not a valid number"},
                    Malformed{"[loads]\r\nfireClass=R45\r\n", 35, "not a fire class"},
                    Malformed{"[loads]\r\nNEd=1\r\nNEd=2\r\n", 36, "twice"},
                    Malformed{"[loads]\r\n\r\nned=1\r\n", 36, "is not NEd="},
                    Malformed{"[loads]\r\nNEd 3000\r\n", 35, "is not NEd="},
                    Malformed{"\r\n[loads]\r\n[wind]\r\n", 36, "is not a block of a project file"},
                    // a block that would otherwise go unseen, or a file cut short inside a block
                    Malformed{"[Loads]\r\nNEd=999999\r\n", 34, "is not a block of a project file"},
                    Malformed{"notes\r\n[loads]\r\nNEd=999999\r\n", 34, "stands before the [loads] block"},
                    Malformed{"[loads]\r\nNEd=30", 35, "cut short"},
                    Malformed{"\r\n[loa", 35, "cut short"}));

// The texts' character set comes from the texts: junk after line 33 does
// not make a UTF-8 file read as Windows-1252.
TEST(LoadsBlock, BytesAfterLine33DoNotChangeTheTexts)
{
    ColumnInput in;
    in.projectName = "St\xC3\xBCtze \xC3\x9C";
    ColumnInput back = sentinel();
    const std::optional<Failure> res = parse(ProjectFileContent(in) + "\xFC\xFE junk of another program\r\n", back);
    ASSERT_FALSE(res) << res->describe();
    EXPECT_EQ(back.projectName, in.projectName);
}

TEST(LoadsBlock, LineNumbersFollowEmptyLinesBeforeNumbers)
{
    // an empty line in front of line 17 shifts every later field by one line
    std::string bytes = ProjectFileContent(ColumnInput{});
    std::size_t at = 0;
    for (int i = 0; i < 16; ++i)
        at = bytes.find("\r\n", at) + 2;
    bytes.insert(at, "\r\n");
    ColumnInput into = sentinel();
    const std::optional<Failure> res = parse(bytes + "[loads]\r\nNEd=x\r\n", into);
    EXPECT_EQ(res->line, 36);
}


// The [code] block: written for an EN project or inputs of the EN method off
// their defaults, before [loads]; an ENV project with the defaults has none.
TEST(CodeBlock, WrittenWhenNeededAndReadBack)
{
    const std::string plain = ProjectFileContent(ColumnInput{});
    ColumnInput en = withLoads(3000, 0, std::nullopt);
    en.code = DesignCode::EN1994;
    en.phiT = 2;
    en.rWeak = -0.5;
    en.rStrong = 0;
    const std::string bytes = ProjectFileContent(en);
    ASSERT_EQ(bytes.substr(0, plain.size()), plain);
    EXPECT_EQ(bytes.substr(plain.size()), "[code]\r\ncode=EN1994\r\nphiT=2\r\nrWeak=-0.5\r\nrStrong=0\r\n"
                                          "[loads]\r\nNEd=3000\r\nNfiEd=0\r\nfireClass=\r\n");
    ColumnInput back = sentinel();
    ASSERT_FALSE(parse(bytes, back));
    EXPECT_EQ(back, en);

    ColumnInput env;
    env.phiT = 3;   // kept for a later switch to EN
    const std::string envBytes = ProjectFileContent(env);
    EXPECT_EQ(envBytes.substr(plain.size()), "[code]\r\ncode=ENV1994\r\nphiT=3\r\nrWeak=1\r\nrStrong=1\r\n");
    back = sentinel();
    ASSERT_FALSE(parse(envBytes, back));
    EXPECT_EQ(back, env);

    // a file without the block is an ENV project
    back = sentinel();
    back.code = DesignCode::EN1994;
    ASSERT_FALSE(parse(plain, back));
    EXPECT_EQ(back.code, DesignCode::ENV1994);
}

INSTANTIATE_TEST_SUITE_P(
    CodeBlocks, MalformedBlock,
    testing::Values(Malformed{"[code]\r\ncode=EN\r\n", 35, "is not a design code"},
                    Malformed{"[code]\r\ncode=EN1994\r\nphiT=2,5\r\n", 36, "is not a number"},
                    Malformed{"[code]\r\nphiT=2\r\nphiT=3\r\n", 36, "twice"},
                    Malformed{"[code]\r\nfck=30\r\n", 35, "is not code="},
                    Malformed{"[code]\r\n[code]\r\n", 35, "given twice"}));


ColumnInput approved(const char* checker, const char* date, const char* revision)
{
    ColumnInput in;
    in.checker = checker;
    in.checkDate = date;
    in.revision = revision;
    return in;
}

// The [approval] block: written only when one of its fields is given, after
// [loads] and before [schedule], with all three lines; read back in the
// character set of the file's texts.
TEST(ApprovalBlock, WrittenOnlyWhenGivenInItsPlaceAndReadBack)
{
    const std::string plain = ProjectFileContent(ColumnInput{});
    ColumnInput in = approved("B. Checker", "2026-11-03", "B");
    in.nEd = 3000;
    Schedule sched;
    sched.columns = {"nEd"};
    sched.rows.push_back({"A1", {"2500"}, false});
    const std::string bytes = ProjectFileContent(in, &sched);
    ASSERT_EQ(bytes.substr(0, plain.size()), plain);
    const std::string tail = bytes.substr(plain.size());
    EXPECT_EQ(tail.substr(0, tail.find("[schedule]")),
              "[loads]\r\nNEd=3000\r\nNfiEd=0\r\nfireClass=\r\n"
              "[approval]\r\nchecker=B. Checker\r\ncheckDate=2026-11-03\r\nrevision=B\r\n");
    ASSERT_NE(tail.find("[schedule]"), std::string::npos);
    ColumnInput back = sentinel();
    Schedule backSched;
    ASSERT_FALSE(ParseProjectFile(bytes, "f", back, nullptr, &backSched));
    EXPECT_EQ(back, in);
    EXPECT_EQ(backSched, sched);

    // one field alone writes the block; the others read back empty
    const ColumnInput revOnly = approved("", "", "02");
    const std::string revBytes = ProjectFileContent(revOnly);
    EXPECT_EQ(revBytes.substr(plain.size()), "[approval]\r\nchecker=\r\ncheckDate=\r\nrevision=02\r\n");
    back = sentinel();
    ASSERT_FALSE(parse(revBytes, back));
    EXPECT_EQ(back, revOnly);

    // blanks only are nothing given
    EXPECT_EQ(ProjectFileContent(approved("  ", "", " \t")), plain);
    // a file without the block has no approval
    back = approved("x", "2026-01-01", "y");
    ASSERT_FALSE(parse(plain, back));
    EXPECT_EQ(back.checker + back.checkDate + back.revision, "");
}

TEST(ApprovalBlock, OddCharactersSurviveInTheFilesCharacterSet)
{
    struct Case {
        const char* author;    // a text of the first lines
        const char* checker;
        const char* revision;
        const char* inFile;    // bytes the file must hold
    };
    const Case cases[] = {
        {"", "Jürgen Weiß", "Ä", "checker=J\xFCrgen Wei\xDF\r\n"},              // Windows-1252 throughout
        {"", "Łukasz Żółć", "B", "checker=\xC5\x81ukasz"},                         // no Windows-1252 byte: UTF-8
        {"", "Ã© looks like UTF-8", "1", "checker=\xC3\x83\xC2\xA9"},             // its Windows-1252 bytes are valid UTF-8
        {"Müller", "Łukasz", "C", "M\xC3\xBCller"},                                // the whole file in UTF-8 then
        {"Müller", "Weiß", "", "M\xFCller"},                                       // the first lines decide: Windows-1252
        {"", "A = B; [x] \"quoted\" 'q' \\ % & < >", "[Rev. 2]", "revision=[Rev. 2]\r\n"},
    };
    for (const Case& c : cases) {
        ColumnInput in = approved(c.checker, "2024-02-29", c.revision);
        in.author = c.author;
        const std::string bytes = ProjectFileContent(in);
        EXPECT_NE(bytes.find(c.inFile), std::string::npos) << c.checker;
        ColumnInput back = sentinel();
        const std::optional<Failure> res = parse(bytes, back);
        ASSERT_FALSE(res) << c.checker << ": " << res->describe();
        EXPECT_EQ(back, in) << c.checker;
    }

    // blanks around go, line breaks inside become blanks, texts are cut to their limit
    ColumnInput in = approved("  two\r\nlines", "", ("  " + std::string(30, 'r') + " ").c_str());
    in.checker += std::string(70, 'c');
    ColumnInput back = sentinel();
    ASSERT_FALSE(parse(ProjectFileContent(in), back));
    EXPECT_EQ(back.checker, "two  lines" + std::string(50, 'c'));
    EXPECT_EQ(back.revision, std::string(20, 'r'));

    // a block written by hand: Windows-1252 unless its bytes are UTF-8, when the first lines are ASCII
    const std::string head = ProjectFileContent(ColumnInput{});
    back = sentinel();
    ASSERT_FALSE(parse(head + "[approval]\r\nchecker = M\xFCller \r\n", back));
    EXPECT_EQ(back.checker, "Müller");
    ASSERT_FALSE(parse(head + "[approval]\r\nchecker=M\xC3\xBCller\r\nrevision=\xC3\x9C\r\n", back));
    EXPECT_EQ(back.checker, "Müller");
    EXPECT_EQ(back.revision, "Ü");
}

TEST(ApprovalBlock, CheckDateIsACalendarDate)
{
    const ProjectField& f = *findProjectField("checkDate");
    for (const char* good : {"", "2024-02-29", "2000-02-29", "2026-12-31", "1999-01-01"})
        EXPECT_EQ(projectTextProblem(f, good), "") << good;
    for (const char* bad : {"2023-02-29", "1900-02-29", "2026-13-01", "2026-04-31", "2026-00-10", "2026-1-01",
                            "03.11.2026", "2026-11-03 10:00", "0999-01-01", "2026/11/03", "today"}) {
        const std::string problem = projectTextProblem(f, bad);
        EXPECT_NE(problem.find("is not a date written YYYY-MM-DD"), std::string::npos) << bad;
        EXPECT_NE(problem.find(bad), std::string::npos) << problem;
    }
    // the other texts take anything
    EXPECT_EQ(projectTextProblem(*findProjectField("revision"), "2026-13-01"), "");
    // a field set from a table cell: refused, the project unchanged
    ColumnInput in = approved("", "2026-01-01", "");
    EXPECT_TRUE(setProjectField(f, "2026-02-30", false, in).has_value());
    EXPECT_EQ(in.checkDate, "2026-01-01");
    EXPECT_FALSE(setProjectField(f, " 2026-02-28 ", false, in).has_value());
    EXPECT_EQ(in.checkDate, "2026-02-28");
}

INSTANTIATE_TEST_SUITE_P(
    ApprovalBlocks, MalformedBlock,
    testing::Values(Malformed{"[approval]\r\ncheckDate=2026-02-30\r\n", 35, "is not a date written YYYY-MM-DD"},
                    Malformed{"[approval]\r\nchecker=A\r\ncheckDate=3.11.2026\r\n", 36, "([approval] block)"},
                    Malformed{"[approval]\r\nchecker=A\r\nchecker=B\r\n", 36, "twice"},
                    Malformed{"[approval]\r\nauthor=A\r\n", 35, "is not checker=, checkDate= or revision="},
                    Malformed{"[approval]\r\n[loads]\r\n[approval]\r\n", 36, "[approval] block is given twice"},
                    Malformed{"[approval]\r\nchecker=A", 35, "cut short"}));

} // namespace
