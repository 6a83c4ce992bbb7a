// The recent-projects list and the accelerators of the main window's buttons.
#include "shell/accelerators.h"
#include "shell/recentfiles.h"

#include <gtest/gtest.h>

using namespace qeln;

TEST(RecentFiles, MostRecentFirstEachPathOnceAtMostEight)
{
    RecentFiles r({"/a", "", "/b", "/a"});
    EXPECT_EQ(r.paths(), (std::vector<std::string>{"/a", "/b"}));
    r.add("/b");
    EXPECT_EQ(r.paths(), (std::vector<std::string>{"/b", "/a"}));
    for (int i = 0; i < 10; ++i)
        r.add("/f" + std::to_string(i));
    ASSERT_EQ(r.paths().size(), RecentFiles::kMax);
    EXPECT_EQ(r.paths().front(), "/f9");
    EXPECT_EQ(r.paths().back(), "/f2");
    r.remove("/f5");
    EXPECT_EQ(r.paths().size(), RecentFiles::kMax - 1);
    r.add("");
    EXPECT_EQ(r.paths().front(), "/f9");
}

TEST(RecentFiles, MenuTextNumbersAndShowsAmpersands)
{
    EXPECT_EQ(recentMenuText(1, "/p/R&D.qln"), "&1 /p/R&&D.qln");
    EXPECT_EQ(recentMenuText(10, "/x"), "10 /x");
}

struct AcceleratorCase {
    const char* language;
    std::vector<std::string> buttons;
    std::string menuBar;   // letters of the menu titles
};

void PrintTo(const AcceleratorCase& c, std::ostream* os) { *os << c.language; }

class Accelerators : public ::testing::TestWithParam<AcceleratorCase> {};

TEST_P(Accelerators, EveryButtonGetsALetterOfItsOwnOutsideTheMenuBar)
{
    const AcceleratorCase& c = GetParam();
    const auto out = withAccelerators(c.buttons, c.menuBar);
    ASSERT_EQ(out.size(), c.buttons.size());
    std::string letters = c.menuBar;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char a = acceleratorOf(out[i]);
        ASSERT_NE(a, 0) << out[i];
        EXPECT_EQ(letters.find(a), std::string::npos) << out[i] << " repeats '" << a << "'";
        letters += a;
        std::string plain = out[i];
        plain.erase(plain.find('&'), 1);
        EXPECT_EQ(plain, c.buttons[i]);
    }
}

// The main window's ten buttons and the accelerators of File, Options, Help.
INSTANTIATE_TEST_SUITE_P(
    ThreeLanguages, Accelerators,
    ::testing::Values(
        AcceleratorCase{"en",
                        {"Project", "Section", "Rebars", "Materials", "Partial factors", "Buckl. lengths",
                         "Eccentricities", "Results", "Details", "Graphic"},
                        "foh"},
        AcceleratorCase{"fr",
                        {"Projet", "Section", "Armatures", "Matériaux", "Coefficients partiels",
                         "Long. de flambement", "Excentricités", "Résultats", "Détails", "Graphique"},
                        "foa"},
        AcceleratorCase{"de",
                        {"Projekt", "Querschnitt", "Bewehrung", "Baustoffe", "Teilsicherheitsbeiwerte", "Knicklängen",
                         "Exzentrizitäten", "Ergebnisse", "Details", "Grafik"},
                        "doh"}),
    [](const auto& info) { return std::string(info.param.language); });

TEST(AcceleratorsRule, WordStartsFirstExistingOnesKeptLiteralAmpersandSkipped)
{
    EXPECT_EQ(withAccelerators({"Partial factors"}, "p"), (std::vector<std::string>{"Partial &factors"}));
    EXPECT_EQ(withAccelerators({"Res&ults", "Rebars"}, ""), (std::vector<std::string>{"Res&ults", "&Rebars"}));
    EXPECT_EQ(acceleratorOf("R&&D"), 0);
    EXPECT_EQ(acceleratorOf("R&&D &x"), 'x');
    // no free letter: the text stays as it is
    EXPECT_EQ(withAccelerators({"ab", "Ä"}, "ab"), (std::vector<std::string>{"ab", "Ä"}));
}
