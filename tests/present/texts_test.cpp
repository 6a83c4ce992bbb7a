// The text catalogue: every number the program uses exists, non-empty, in all
// three languages; the loader's offsets and its missing-text behaviour.
#include "present/messages.h"
#include "present/texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <regex>
#include <set>
#include <sstream>

using namespace qeln;

namespace {

std::set<int> documentedNumbers()
{
    std::set<int> n{1, 50, 61, 62, 71, 72, 138, 170, 175, 186, 219, 224, 260, 1025, 1026, 1128, 1129, 1148, 1149,
                    1150, 1168, 2223};
    const int ranges[][2] = {{2, 14},     {16, 21},     {33, 47},     {51, 53},     {54, 60},     {85, 91},
                             {112, 121},  {128, 134},   {144, 150},   {160, 168},   {176, 182},   {187, 189},
                             {192, 195},  {208, 211},   {272, 274},   {276, 285},   {512, 517},   {1029, 1051},
                             {1072, 1087}, {1120, 1127}, {1130, 1147}, {1152, 1160}, {1170, 1174},
                             {1300, 1314}, {1560, 1610}};   // the charts' texts, the EN details' labels
    for (const auto& r : ranges)
        for (int i = r[0]; i <= r[1]; ++i)
            n.insert(i);
    return n;
}

// Text numbers named in the sources: text(N), T(N), LoadText(N, ...), tx(N).
std::set<int> numbersInSources()
{
    std::set<int> found;
    const std::regex call(R"(\b(?:text|T|LoadText|loadText|tx|txt)\(\s*(\d{1,5})\s*[,)])");
    const std::filesystem::path root = QELN_SOURCE_DIR;
    for (const char* dir : {"calc", "present", "shell", "catalogue", "ui", "cli", "app"}) {
        if (!std::filesystem::exists(root / dir))
            continue;
        for (const auto& e : std::filesystem::recursive_directory_iterator(root / dir)) {
            const auto ext = e.path().extension();
            if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h"))
                continue;
            std::ifstream in(e.path());
            std::stringstream ss;
            ss << in.rdbuf();
            const std::string src = ss.str();
            for (std::sregex_iterator it(src.begin(), src.end(), call), end; it != end; ++it)
                found.insert(std::stoi((*it)[1]));
        }
    }
    return found;
}

} // namespace

TEST(TextCatalogue, EveryUsedNumberInEveryLanguage)
{
    std::set<int> numbers = documentedNumbers();
    const std::set<int> used = numbersInSources();
    EXPECT_GT(used.size(), 100u);
    numbers.insert(used.begin(), used.end());
    const TextCatalogue& cat = TextCatalogue::builtin();
    for (int n : numbers)
        for (Language base : kLanguages) {
            const int number = n + catalogueOffset(base);
            const std::string* t = cat.find(number);
            ASSERT_NE(t, nullptr) << "text " << number << " is missing";
            EXPECT_FALSE(t->empty()) << "text " << number << " is empty";
        }
}

// The loader keeps a text's blanks, and a text that takes two numbers has both
// places in every language.
TEST(TextCatalogue, FixedTexts)
{
    EXPECT_EQ(LoadText(88, Language::English, nullptr), " ");
    EXPECT_EQ(LoadText(1121, Language::English, nullptr), "The relative slenderness is ");
    for (Language base : kLanguages) {
        const std::string t = LoadText(186, base, nullptr);
        const auto first = t.find("%g");
        ASSERT_NE(first, std::string::npos);
        EXPECT_NE(t.find("%g", first + 2), std::string::npos);
    }
}

TEST(TextCatalogue, MissingTextIsReportedAndShownAsStars)
{
    RecordingSink sink;
    EXPECT_EQ(LoadText(2228, Language::French, &sink), "***");
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "A string resource with number 12228 could not be found");
    // an id near the end of int: no overflow (undefined behaviour) in the sum
    EXPECT_EQ(LoadText(std::numeric_limits<int>::max() - 5, Language::German, &sink), "***");
    EXPECT_EQ(sink.messages.back(), "A string resource with number 2147503642 could not be found");
    EXPECT_EQ(LoadText(1029, Language::French, nullptr), *TextCatalogue::builtin().find(11029));
}

// The numbers that name a language in the settings file and the PDF writer's
// request are a file format: each reads back as its language, a number of no
// language as none (the settings file then reads English). Each language's
// texts are its own column of data/texts.tsv, the codes those of --language.
TEST(Languages, StoredNumbersCodesAndCatalogueColumns)
{
    EXPECT_EQ(languageNumber(Language::English), 0);
    EXPECT_EQ(languageNumber(Language::French), 10000);
    EXPECT_EQ(languageNumber(Language::German), 20000);
    for (Language l : kLanguages) {
        EXPECT_EQ(languageOfNumber(languageNumber(l)), l);
        EXPECT_EQ(languageOfCode(languageCode(l)), l);
    }
    for (int none : {1, 5, 10001, 30000, -10000, 2223, std::numeric_limits<int>::min()})
        EXPECT_FALSE(languageOfNumber(none).has_value()) << none;
    EXPECT_EQ(languageOfCode("fr"), Language::French);
    for (const char* none : {"", "EN", "fra", "it"})
        EXPECT_FALSE(languageOfCode(none).has_value()) << none;

    EXPECT_EQ(LoadText(3, Language::English, nullptr), "Composite Column Fire Design");
    EXPECT_EQ(LoadText(3, Language::French, nullptr), "Dimensionnement au feu des poteaux mixtes");
    EXPECT_EQ(LoadText(8, Language::German, nullptr), "QELN-Entwicklungsteam");
    const TextCatalogue c = TextCatalogue::parse("7\ten\tfr\tde\n");
    for (Language l : kLanguages)
        EXPECT_EQ(*c.find(7 + catalogueOffset(l)), languageCode(l));
}

TEST(TextCatalogue, ParserKeepsBlanksAndEscapes)
{
    const TextCatalogue c = TextCatalogue::parse("# comment\n7\t a \tb\\tc\td\\\\e\r\nx\tbad\n9\tonly\n");
    EXPECT_EQ(*c.find(7), " a ");
    EXPECT_EQ(*c.find(10007), "b\tc");
    EXPECT_EQ(*c.find(20007), "d\\e");
    EXPECT_EQ(*c.find(9), "only");
    EXPECT_EQ(c.find(10009), nullptr);
}
