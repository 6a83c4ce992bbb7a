// The listing of an EN project through the calculate command: the heading
// names the code, the details are the EN method's, the condensed listing
// names the code but leaves them out (that it is the complete listing
// without them is tested with the calculate command); an ENV project's
// listing has none of it.
#include "shell/run.h"
#include "tests/run_fixtures.h"

#include "calc/method.h"
#include "present/format.h"
#include "present/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

using namespace qeln;

namespace {

using test::Calc;
using test::contains;
using test::enProject;
using test::indexOf;

std::string text(int id, Language base) { return LoadText(id, base, nullptr); }

} // namespace

TEST(EnListing, HeadingNamesTheCodeAndTheDetailsAreTheMethods)
{
    for (Language base : kLanguages) {
        Calc c{enProject(50, 30), base};
        ASSERT_TRUE(c.ok) << base;
        const MessageList& full = c.st.completeListing;
        if (base == Language::English) {
            EXPECT_EQ(full[12], "Design code:              EN 1994-1-1:2004, EN 1994-1-2:2005 Annex G        ");
        }
        // the code after the dates of the project block
        const int code = indexOf(full, padRight(text(1560, base), 25) + " " + padRight(text(1561, base), 50));
        ASSERT_EQ(code, 12) << base;
        EXPECT_EQ(indexOf(c.st.condensedListing, full[code]), code) << base;
        EXPECT_FALSE(contains(c.st.condensedListing, "EN 1994-1-1, 6.7.3.2(1)")) << base;
        const int details = indexOf(full, text(224, base));
        ASSERT_GT(details, 0);
        // the materials by grade, then the weak axis
        EXPECT_EQ(full[details + 3], text(1764, base));
        EXPECT_GT(indexOf(full, text(1562, base) + " " + text(1076, base) + " z-z"), details + 3);
        EXPECT_TRUE(contains(full, "EN 1994-1-1, 6.7.3.2(1)"));
        EXPECT_TRUE(contains(full, "EN 1994-1-2, G.6"));
        // no ENV details, and the notes speak of Annex G
        EXPECT_FALSE(contains(full, text(1139, base) + "\n"));
        EXPECT_EQ(indexOf(full, text(1156, base)), -1);
        EXPECT_GT(indexOf(full, text(1608, base)), 0);
        // the Annex G tables are not yet checked against the EN edition
        EXPECT_GT(indexOf(full, text(1610, base)), indexOf(full, text(1608, base)));
        const std::regex nonFinite(R"((^|[\s:(=])[-+]?(nan|inf|infinity)($|[\s)]))", std::regex::icase);
        for (const std::string& l : full.lines()) {
            EXPECT_FALSE(std::regex_search(l, nonFinite)) << l;
            EXPECT_EQ(l.find("***"), std::string::npos) << l;
        }
    }
}


TEST(EnListing, EnvListingHasNoneOfIt)
{
    ColumnInput in;
    in.e1 = 50;
    in.e2 = 30;
    Calc c{in, Language::English};
    ASSERT_TRUE(c.ok);
    EXPECT_FALSE(contains(c.st.completeListing, "Design code"));
    // no clause of the EN method but in the note on what the program does not check
    MessageList withoutNote;
    for (const std::string& l : c.st.completeListing.lines())
        if (l != text(1157, Language::English))
            withoutNote.add(l);
    EXPECT_FALSE(contains(withoutNote, "EN 1994-1-1,"));
    EXPECT_EQ(c.st.results.memberDetailLines[0], text(1764, Language::English));
    EXPECT_GT(indexOf(c.st.results.memberDetailLines, "Normal temperature weak axis"), 0);
    EXPECT_GT(indexOf(c.st.completeListing, text(1156, Language::English)), 0);
    EXPECT_GT(indexOf(c.st.completeListing, text(1157, Language::English)), indexOf(c.st.completeListing, text(1160, Language::English)));
}

// The checks' errors stop the run before the EN method's values: no details.
TEST(EnListing, AnErrorOfTheChecksLeavesNoDetails)
{
    ColumnInput in = enProject(50, 30);
    in.fck = 70;   // outside C20/25 to C60/75
    Calc c{in, Language::English};
    EXPECT_FALSE(c.ok);
    EXPECT_TRUE(c.st.results.hasErrors);
    EXPECT_TRUE(c.st.results.memberDetailLines.empty());
}
