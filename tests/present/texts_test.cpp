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
                             {1072, 1087}, {1120, 1127}, {1130, 1147}, {1152, 1160}, {1170, 1174}};
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
    for (const char* dir : {"calc", "shell", "catalogue", "ui", "cli", "app"}) {
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
        for (int base : {kEnglish, kFrench, kGerman}) {
            const std::string* t = cat.find(n + base);
            ASSERT_NE(t, nullptr) << "text " << n + base << " is missing";
            EXPECT_FALSE(t->empty()) << "text " << n + base << " is empty";
        }
}

// The loader keeps a text's blanks, and a text that takes two numbers has both
// places in every language.
TEST(TextCatalogue, FixedTexts)
{
    EXPECT_EQ(LoadText(88, kEnglish, nullptr), " ");
    EXPECT_EQ(LoadText(1121, kEnglish, nullptr), "The relative slenderness is ");
    for (int base : {kEnglish, kFrench, kGerman}) {
        const std::string t = LoadText(186, base, nullptr);
        const auto first = t.find("%g");
        ASSERT_NE(first, std::string::npos);
        EXPECT_NE(t.find("%g", first + 2), std::string::npos);
    }
}

TEST(TextCatalogue, MissingTextIsReportedAndShownAsStars)
{
    RecordingSink sink;
    EXPECT_EQ(LoadText(2223, 5, &sink), "***");
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "A string resource with number 2228 could not be found");
    EXPECT_EQ(LoadText(3, 5, &sink), LoadText(8, 0, nullptr));
    // a base near the end of int: no overflow (undefined behaviour) in the sum
    EXPECT_EQ(LoadText(1168, std::numeric_limits<int>::max(), &sink), "***");
    EXPECT_EQ(sink.messages.back(), "A string resource with number 2147484815 could not be found");
    EXPECT_EQ(LoadText(-5, std::numeric_limits<int>::min(), &sink), "***");
    EXPECT_EQ(LoadText(1029, kFrench, nullptr), *TextCatalogue::builtin().find(11029));
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
