// The settings file qeln.INI and the date-time number.
#include "shell/datetime.h"
#include "shell/settings.h"
#include "tests/catalogue/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

using namespace qeln;
using qeln::test::TempDir;

namespace {
// Stores the settings; a failure fails the test with its reason.
void store(const SettingsFile& file, const Settings& s)
{
    if (const auto failed = file.write(s))
        ADD_FAILURE() << failed->describe();
}

// A settings file in a fresh folder.
struct SettingsIni : testing::Test {
    TempDir dir;
    const SettingsFile file{dir.file("qeln.INI")};
};
} // namespace

TEST(Settings, MissingFileGivesDefaultsAndWritingCreatesTheThreeKeys)
{
    TempDir dir;
    const SettingsFile file(dir.file("config/qeln/qeln.INI"));
    EXPECT_EQ(file.read(), Settings{});
    store(file, Settings{Language::French, "Bureau d'études Müller", "J. Weiß"});
    EXPECT_EQ(test::readFile(file.path()),
              "[language]\nnumberlanguage=10000\n[user]\nenterprise=Bureau d'études Müller\nuser=J. Weiß\n");
    EXPECT_EQ(file.read(), (Settings{Language::French, "Bureau d'études Müller", "J. Weiß"}));
}

TEST_F(SettingsIni, ReadsTheClassicFormLeniently)
{
    test::writeFile(file.path(), "; written by hand\r\n[USER]\r\n  Enterprise =  \"  ACME  \"  \r\nuser=\r\n"
                                 "[Language]\r\nNumberLanguage = 0x4E20\r\n[other]\r\nuser=not me\r\n");
    EXPECT_EQ(file.read(), (Settings{Language::German, "  ACME  ", ""}));
    test::writeFile(file.path(), "[user]\nenterprise=M\xFC" "ller\n");   // not UTF-8: Windows-1252
    EXPECT_EQ(file.read().enterprise, "Müller");
}

TEST(Settings, NumberLanguageIsDecimalOrHexadecimalElseZero)
{
    for (const auto& [text, value] : {std::pair{"20000", 20000}, {" 5 ", 5}, {"-10000", -10000}, {"0x2710", 10000},
                                      {"0X2710", 10000}, {"0xFFFFFFFF", -1}})
        EXPECT_EQ(parseSettingsInteger(text, 0), value) << text;
    for (const char* bad : {"", "abc", "12abc", "0x", "0xG", "0x123456789", "99999999999", "1.5", "+-1", "--1"})
        EXPECT_EQ(parseSettingsInteger(bad, 0), 0) << bad;
}

TEST_F(SettingsIni, WritingKeepsOtherContentAndValuesSurviveExactly)
{
    test::writeFile(file.path(), "[window]\nleft=10\n\n[user]\n; the firm\nenterprise=old\n\n[extra]\nx=1\n");
    const Settings s{Language::German, " leading and trailing ", "\"quoted\""};
    store(file, s);
    EXPECT_EQ(test::readFile(file.path()),
              "[window]\nleft=10\n\n[user]\n; the firm\nenterprise=\" leading and trailing \"\n"
              "user=\"\"quoted\"\"\n\n[extra]\nx=1\n[language]\nnumberlanguage=20000\n");
    EXPECT_EQ(file.read(), s);
}

// Only the three language numbers are languages: anything else once gave a
// box per missing text at every start and "***" captions.
TEST_F(SettingsIni, OnlyTheThreeLanguageNumbersAreAccepted)
{
    for (const auto& [number, language] :
         {std::pair{"0", Language::English}, {"10000", Language::French}, {"0x4E20", Language::German},
          {"12345", Language::English}, {"5", Language::English}, {"-10000", Language::English},
          {"30000", Language::English}, {"0x7fffffff", Language::English}, {"0xFFFFFFFF", Language::English}}) {
        test::writeFile(file.path(), std::string("[language]\nnumberlanguage=") + number + "\n");
        EXPECT_EQ(file.read().language, language) << number;
    }
}

TEST_F(SettingsIni, ALargeFileKeepsItsOtherSectionsAndATooLargeOneIsNotTouched)
{
    // over 1 MiB: was ignored (English) and rewritten with only the three keys
    std::string history = "[history]\n";
    for (int i = 0; history.size() < (2u << 20); ++i)
        history += "file" + std::to_string(i) + "=/home/a/projects/column" + std::to_string(i) + ".qln\n";
    test::writeFile(file.path(), "[language]\nnumberlanguage=20000\n" + history);
    EXPECT_EQ(file.read().language, Language::German);
    store(file, Settings{Language::French, "E", "U"});
    EXPECT_EQ(test::readFile(file.path()),
              "[language]\nnumberlanguage=10000\n" + history + "[user]\nenterprise=E\nuser=U\n");

    // one that cannot be read as a whole is left exactly as it is
    const std::string huge = "[language]\nnumberlanguage=10000\n[blob]\n" + std::string(17u << 20, 'x') + "\n";
    test::writeFile(file.path(), huge);
    const auto kept = file.write(Settings{Language::German, "E", "U"});
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->textId, 516);
    EXPECT_NE(kept->describe().find("left as it was"), std::string::npos) << kept->describe();
    EXPECT_TRUE(test::readFile(file.path()) == huge);
}

TEST(Settings, AnUnwritableFileIsReportedNotFatal)
{
    TempDir dir;
    test::writeFile(dir.file("plainfile"), "x");
    const SettingsFile file(dir.file("plainfile/qeln.INI"));
    const auto failed = file.write(Settings{});
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->code, FailureCode::writeFailed);
    EXPECT_NE(failed->describe().find("plainfile"), std::string::npos) << failed->describe();
    EXPECT_EQ(file.read(), Settings{});
}

TEST(DateTime, DaysCountFromTheLastDayOf1899)
{
    EXPECT_EQ(dateTimeNumber(1899, 12, 30), 0);
    EXPECT_EQ(dateTimeNumber(1900, 1, 1), 2);
    EXPECT_EQ(dateTimeNumber(2000, 1, 1), 36526);
    EXPECT_EQ(dateTimeNumber(2000, 1, 1, 12), 36526.5);
    EXPECT_EQ(dateTimeNumber(1899, 12, 29, 18), -0.25);
    // and back: leap days, days before 1899-12-30, a time rounding up into the next year
    EXPECT_EQ(isoDateTime(dateTimeNumber(2024, 2, 29, 8, 30, 15)), "2024-02-29 08:30:15");
    EXPECT_EQ(isoDateTime(-0.25), "1899-12-29 18:00:00");
    EXPECT_EQ(isoDateTime(dateTimeNumber(2023, 12, 31, 23, 59, 59.6)), "2024-01-01 00:00:00");
    EXPECT_EQ(civilDateTime(dateTimeNumber(2023, 12, 31, 23, 59, 59.6), true)->millisecond, 600);
    EXPECT_EQ(isoDateTime(std::nan("")), "");
    std::tm tm {};
    const std::time_t now = std::time(nullptr);
    ::localtime_r(&now, &tm);
    const double today = dateTimeNumber(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    const double current = currentDateTime();
    EXPECT_GE(current, today);
    EXPECT_LT(current, today + 1.0 + 1e-9);
}

TEST_F(SettingsIni, RecentFilesKeepTheirOrderAndDroppedOnesLeaveTheFile)
{
    test::writeFile(file.path(), "[window]\nleft=10\n[recent]\nfile1=/old/a.qln\nfile2=/old/b.qln\nfile3=/old/c.qln\n");
    EXPECT_EQ(file.read().recentFiles, (std::vector<std::string>{"/old/a.qln", "/old/b.qln", "/old/c.qln"}));
    Settings s{Language::English, "E", "U", {"/p/new & old.qln", " /p/blank.qln"}};
    store(file, s);
    EXPECT_EQ(test::readFile(file.path()), "[window]\nleft=10\n[recent]\nfile1=/p/new & old.qln\n"
                                           "file2=\" /p/blank.qln\"\n[language]\nnumberlanguage=0\n"
                                           "[user]\nenterprise=E\nuser=U\n");
    EXPECT_EQ(file.read(), s);
    s.recentFiles.clear();
    store(file, s);
    EXPECT_TRUE(file.read().recentFiles.empty());
    EXPECT_EQ(test::readFile(file.path()).find("file"), std::string::npos);
}

// Every window's place between starts, and the disclaimer accepted once per version.
TEST_F(SettingsIni, WindowPlacesAndTheAcceptedDisclaimerSurvive)
{
    test::writeFile(file.path(), "[windows]\nfrmhelp=5,6,700,500\nfrmbad=1,2,0,3\n");
    Settings s = file.read();
    ASSERT_EQ(s.windows.size(), 1u);   // a size of 0 is no place
    s.windows["frmschedule"] = {-8, 30, 1000, 640, true};
    s.disclaimerAccepted = "Version 3.05, January 2003";
    store(file, s);
    EXPECT_EQ(file.read(), s);
    EXPECT_NE(test::readFile(file.path()).find("frmschedule=-8,30,1000,640,max\n"), std::string::npos);
    EXPECT_NE(test::readFile(file.path()).find("frmbad=1,2,0,3\n"), std::string::npos);   // left as it was

    EXPECT_EQ(parseWindowPlace(" 1, 2 ,3,4 "), (WindowPlace{1, 2, 3, 4, false}));
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1,2,x,4", "1,2,3,4,min", "1,2,3,999999", "1,2,-3,4"})
        EXPECT_FALSE(parseWindowPlace(bad)) << bad;
}

TEST_F(SettingsIni, TheDesignCodeOfNewProjectsRoundTripsAndOddValuesFallBackToEn1994)
{
    Settings s{Language::English, "E", "U"};
    EXPECT_EQ(s.newProjectCode, DesignCode::EN1994);   // the default before any file
    s.newProjectCode = DesignCode::ENV1994;
    store(file, s);
    EXPECT_NE(test::readFile(file.path()).find("[design]\ncode=ENV1994\n"), std::string::npos);
    EXPECT_EQ(file.read().newProjectCode, DesignCode::ENV1994);
    // back to the default: the key that is there says so
    s.newProjectCode = DesignCode::EN1994;
    store(file, s);
    EXPECT_NE(test::readFile(file.path()).find("[design]\ncode=EN1994\n"), std::string::npos);
    EXPECT_EQ(file.read().newProjectCode, DesignCode::EN1994);
    // written by hand: any case and blanks; anything else is EN 1994
    for (const auto& [value, code] : {std::pair{" env1994 ", DesignCode::ENV1994}, std::pair{"EN1994", DesignCode::EN1994},
                                      std::pair{"ENV 1994", DesignCode::ENV1994}, std::pair{"EN1992", DesignCode::EN1994},
                                      std::pair{"", DesignCode::EN1994}, std::pair{"1", DesignCode::EN1994}}) {
        test::writeFile(file.path(), std::string("[Design]\nCode=") + value + "\n");
        EXPECT_EQ(file.read().newProjectCode, code) << value;
    }
}
