// Code pages of tables and project files.
#include "catalogue/codepage.h"

#include <gtest/gtest.h>

using namespace qeln;

TEST(CodePage, EveryByteDecodesAndEncodesBackInEachPage)
{
    for (CodePage page : {CodePage::windows1252, CodePage::dos437, CodePage::dos850}) {
        std::string all;
        for (int c = 1; c < 256; ++c)
            all += static_cast<char>(c);
        const std::string utf8 = decodeToUtf8(all, page);
        EXPECT_TRUE(isValidUtf8(utf8));
        EXPECT_EQ(utf8Length(utf8), 255u);
        std::string back;
        ASSERT_TRUE(encodeFromUtf8(utf8, page, back));
        EXPECT_EQ(back, all);
    }
}

TEST(CodePage, Windows1252HasTheFrenchAndGermanLettersAndTheEuro)
{
    std::string out;
    ASSERT_TRUE(encodeFromUtf8("Größe Œuvre 5 € à côté", CodePage::windows1252, out));
    EXPECT_EQ(out, "Gr\xF6\xDF" "e \x8Cuvre 5 \x80 \xE0 c\xF4t\xE9");
    EXPECT_FALSE(encodeFromUtf8("Łódź", CodePage::windows1252, out));
    EXPECT_EQ(decodeToUtf8("\x81\x8D", CodePage::windows1252), "\xC2\x81\xC2\x8D");
}

TEST(CodePage, MalformedUtf8IsRecognised)
{
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x98\x80"));
    for (const char* bad : {"\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xFF"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
    std::string out;
    EXPECT_FALSE(encodeFromUtf8("\xC3", CodePage::dos850, out));
}

TEST(CodePage, PrefixCountsCharactersNotBytes)
{
    EXPECT_EQ(utf8Prefix("äöüabc", 4), "äöüa");
    EXPECT_EQ(utf8Prefix("äö", 5), "äö");
    EXPECT_EQ(utf8Prefix("abc", 0), "");
}
